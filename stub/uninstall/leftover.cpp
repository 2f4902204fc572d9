// The leftover view: the outermost leftover folders as top-level items of a
// check-box tree whose content is read from disk once per folder, as the
// user expands it, and deleted as the user checks it. The root of the tree
// is item 0 throughout.
#include "uninstall/leftover.h"
#include <shellapi.h>
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "script/model.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall.h"
#include "wizard/dialogs.h"

// Item data of the tree's items.
enum { PlaceholderItem = 0, FolderItem = 1, FileItem = 2 };

static HWND Tree;

const char LeftoverExplanation[] =
    "Some folders contain files which was not created by this installation and can not be deleted "
    "automatically. Select a check box near a file or a folder you want to delete and then click "
    "'Delete' button.";

static LRESULT SendToTree(UINT message, WPARAM wParam, const void* lParam) {
  return SendMessageA(Tree, message, wParam, (LPARAM)lParam);
}

static HTREEITEM NextItem(HTREEITEM item, UINT relation) {
  return (HTREEITEM)SendToTree(TVM_GETNEXTITEM, relation, item);
}

static HTREEITEM FirstChild(HTREEITEM item) {
  return NextItem(item, item ? TVGN_CHILD : TVGN_ROOT);
}

static void SetRedraw(bool on) {
  SendToTree(WM_SETREDRAW, on, 0);
}

// The item's fields named by mask, in one buffer that the next query reuses.
static TVITEMA* QueryItem(HTREEITEM item, UINT mask, char* text = 0, int textLength = 0) {
  static TVITEMA query;
  query.mask = mask;
  query.hItem = item;
  query.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED;
  query.pszText = text;
  query.cchTextMax = textLength;
  SendToTree(TVM_GETITEMA, 0, &query);
  return &query;
}

static UINT CheckState(UINT state) {
  return state & TVIS_STATEIMAGEMASK;
}

static bool IsChecked(HTREEITEM item) {
  return CheckState(QueryItem(item, TVIF_STATE)->state) == INDEXTOSTATEIMAGEMASK(2);
}

static void SetChecked(HTREEITEM item, bool checked) {
  TVITEMA* change = QueryItem(item, TVIF_STATE);
  change->state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  change->stateMask = TVIS_STATEIMAGEMASK;
  SendToTree(TVM_SETITEMA, 0, change);
}

static int ShellIcon(const char* path, UINT flags) {
  SHFILEINFOA info;
  info.iIcon = 0;
  SHGetFileInfoA(path, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | flags);
  return info.iIcon;
}

// A null path makes the placeholder that gives an unread folder its button.
static HTREEITEM InsertTreeItem(HTREEITEM parent, const char* path, LPARAM kind, bool checked) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  insert.item.pszText = (char*)"";
  if (path) {
    insert.item.pszText = (char*)(parent ? FileNamePart(path) : path);
    insert.item.iImage = ShellIcon(path, 0);
    insert.item.iSelectedImage = ShellIcon(path, SHGFI_OPENICON);
  }
  insert.item.lParam = kind;
  insert.item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  insert.item.stateMask = TVIS_STATEIMAGEMASK;
  return (HTREEITEM)SendToTree(TVM_INSERTITEMA, 0, &insert);
}

// A folder gets a button when it holds anything; a link never does, so
// that its target is neither shown nor offered for deletion.
static void InsertFolderItem(HTREEITEM parent, const char* path, bool checked) {
  HTREEITEM item = InsertTreeItem(parent, path, FolderItem, checked);
  if (!IsLink(GetFileAttributesA(path)) && !IsFolderEmpty(path))
    InsertTreeItem(item, 0, PlaceholderItem, checked);
}

static char* GetItemPath(HTREEITEM item) {
  char* path = 0;
  for (; item; item = NextItem(item, TVGN_PARENT)) {
    char name[MAX_PATH];
    QueryItem(item, TVIF_TEXT, name, MAX_PATH);
    char* joined = path ? ConcatStrings(name, "\\", path) : DuplicateString(name, 0);
    FreeBlock(path);
    path = joined;
  }
  StripTrailingSlash(path);
  return path;
}

static void InsertSorted(HTREEITEM parent, StringList paths, LPARAM kind, bool checked) {
  SortList(paths, SortByText);
  for (int i = 0; i < Count(paths); i++) {
    if (kind == FolderItem)
      InsertFolderItem(parent, GetItem(paths, i), checked);
    else
      InsertTreeItem(parent, GetItem(paths, i), kind, checked);
  }
}

// Reads the folder's subfolders and files into its children, which take
// its check state; files waiting for the restart are not shown.
static void FillFolderItem(HTREEITEM item) {
  bool checked = IsChecked(item);
  while (HTREEITEM child = FirstChild(item))
    SendToTree(TVM_DELETEITEM, 0, child);
  char* path = GetItemPath(item);
  StringList folders = 0, files = 0;
  CreateList(&folders, 5);
  CreateList(&files, 5);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstEntry(path, &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (IsDotName(found.cFileName))
        continue;
      char* child = CombinePath(path, found.cFileName);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        AppendItem(folders, child);
      else if (!Count(RebootList) || FindItem(RebootList, child, 0, 0) < 0)
        AppendItem(files, child);
      FreeBlock(child);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  InsertSorted(item, folders, FolderItem, checked);
  InsertSorted(item, files, FileItem, checked);
  DestroyList(&folders);
  DestroyList(&files);
  FreeBlock(path);
}

static void CheckSubtree(HTREEITEM item, bool includeItem) {
  if (includeItem)
    SetChecked(item, true);
  for (HTREEITEM child = FirstChild(item); child; child = NextItem(child, TVGN_NEXT))
    CheckSubtree(child, true);
}

static bool AnyOtherChecked(HTREEITEM item, HTREEITEM excluded) {
  for (HTREEITEM child = FirstChild(item); child; child = NextItem(child, TVGN_NEXT))
    if ((child != excluded && IsChecked(child)) || AnyOtherChecked(child, excluded))
      return true;
  return false;
}

static void DeleteChecked(HTREEITEM item) {
  HTREEITEM next;
  for (HTREEITEM child = FirstChild(item); child; child = next) {
    next = NextItem(child, TVGN_NEXT);
    LPARAM kind = QueryItem(child, TVIF_PARAM)->lParam;
    bool checked = IsChecked(child);
    if (kind == PlaceholderItem || (kind == FileItem && !checked))
      continue;
    if (!checked) {
      DeleteChecked(child);
      continue;
    }
    char* path = GetItemPath(child);
    if (kind == FolderItem) {
      DeleteFolderTree(path);
    } else {
      DWORD attributes = GetFileAttributesA(path);
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY) ||
          ShowMessage(0, "Deleting File", "The file %s \nis a read-only file. Delete anyway?", path,
                      MB_YESNO | MB_ICONWARNING) != IDNO)
        DeleteLeaf(path, attributes);
    }
    FreeBlock(path);
    SendToTree(TVM_DELETEITEM, 0, child);
  }
}

static void EnableDelete(HWND page, bool enable) {
  EnableWindow(GetDlgItem(page, 1011), enable);
}

static void SetShown(HWND page, int id, bool shown) {
  ShowWindow(GetDlgItem(page, id), shown ? SW_SHOW : SW_HIDE);
}

static void SetLabel(HWND page, int id, const char* text) {
  SetDlgItemTextA(page, id, text);
  InvalidateControlArea(page, id, true);
}

// Only the outermost folders stay, in name order.
static void ReduceLeftovers() {
  SortList(LeftoverList, SortByLength);
  for (int i = 0; i < Count(LeftoverList); i++) {
    char* prefix = ConcatStrings(GetItem(LeftoverList, i), "\\");
    for (int j = Count(LeftoverList) - 1; j > i; j--) {
      const char* inner = GetItem(LeftoverList, j);
      if (FindText(inner, prefix, -1, false) == inner)
        DeleteItem(LeftoverList, j);
    }
    FreeBlock(prefix);
  }
  SortList(LeftoverList, SortByText);
}

void ShowLeftovers(HWND page) {
  Tree = GetDlgItem(page, 1026);
  SetDlgItemTextA(page, 1012, "Finish");
  SetLabel(page, 1001, "Uninstall Completed");
  if (Model.dialogSetOffset) {
    SetShown(page, 1002, false);
    SetShown(page, 1003, false);
    SetLabel(page, 1007, LeftoverExplanation);
  } else {
    char text[MessageLength];
    ComposeMessage(text, "%s have been succesfully removed from your computer.",
                   LookupText(UninstallerSlot, 9), 0, 0);
    SetLabel(page, 1002, text);
    SetLabel(page, 1003, LeftoverExplanation);
  }
  static const int hidden[] = {1004, 1023}, shown[] = {1010, 1011, 1026};
  for (int id : hidden)
    SetShown(page, id, false);
  for (int id : shown)
    SetShown(page, id, true);
  // The worker calls this: the focus must move on the page's own thread.
  SendMessageA(page, WM_NEXTDLGCTL, (WPARAM)Tree, TRUE);
  SHFILEINFOA info;
  HIMAGELIST icons = (HIMAGELIST)SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  SendToTree(TVM_SETIMAGELIST, TVSIL_NORMAL, icons);
  ReduceLeftovers();
  SetRedraw(false);
  for (int i = 0; i < Count(LeftoverList); i++)
    InsertFolderItem(0, GetItem(LeftoverList, i), false);
  SetRedraw(true);
}

void SelectAllLeftovers(HWND page) {
  SetRedraw(false);
  CheckSubtree(0, false);
  SetRedraw(true);
  EnableDelete(page, true);
}

void DeleteCheckedLeftovers(HWND page) {
  if (ShowMessage(page, "Confirm Operation", "Are you sure you want to delete all selected files and folders?", 0,
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  DeleteChecked(0);
  EnableDelete(page, false);
}

// The tree toggles a clicked check box after telling us, so the state seen
// here is the one before the click.
static void HandleClick(HWND page) {
  TVHITTESTINFO hit = {};
  GetCursorPos(&hit.pt);
  ScreenToClient(Tree, &hit.pt);
  HTREEITEM item = (HTREEITEM)SendToTree(TVM_HITTEST, 0, &hit);
  if (!item || !(hit.flags & TVHT_ONITEMSTATEICON))
    return;
  SetRedraw(false);
  UINT state = QueryItem(item, TVIF_STATE)->state;
  if (CheckState(state) != INDEXTOSTATEIMAGEMASK(2)) {
    CheckSubtree(item, false);
    EnableDelete(page, true);
  } else {
    for (HTREEITEM up = NextItem(item, TVGN_PARENT); up; up = NextItem(up, TVGN_PARENT))
      SetChecked(up, false);
    HTREEITEM first = FirstChild(item);
    if (first && !(state & TVIS_EXPANDED))
      SetChecked(first, false);
    if (!AnyOtherChecked(0, item))
      EnableDelete(page, false);
  }
  SetRedraw(true);
}

void HandleTreeNotification(HWND page, const NMHDR* header) {
  if (header->code == NM_CLICK) {
    HandleClick(page);
  } else if (header->code == TVN_ITEMEXPANDEDA) {
    const NMTREEVIEWA* view = (const NMTREEVIEWA*)header;
    HTREEITEM item = view->itemNew.hItem;
    if (!(view->itemNew.state & TVIS_EXPANDED))
      return;
    SetRedraw(false);
    char text[MAX_PATH] = "";
    HTREEITEM first = FirstChild(item);
    if (first)
      QueryItem(first, TVIF_TEXT, text, MAX_PATH);
    if (!text[0])
      FillFolderItem(item);
    SetRedraw(true);
  }
}
