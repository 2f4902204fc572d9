// The install script loader: each record of the script changes the setup
// model. Nothing is validated; a record that has no place in the model is
// passed over, and a field the record does not hold reads as 0 or "".
#include "script/model.h"
#include "common/heap.h"
#include "common/text.h"
#include "engine/registry.h"
#include "engine/variables.h"
#include "startup/process.h"
#include "wizard/drawing.h"

enum RecordType {
  VariableRecord = 1, PageSwitchesRecord, LicenceRecord, ReadmeRecord, StringRecord, LanguagesRecord,
  GradientRecord, AccentColourRecord, ProductRecord, ShortcutRecord, RegistryRecord, IniRecord,
  ProgramRecord, DllCallRecord, AssociationRecord, RequirementsRecord, BackgroundTextRecord
};

// Reads the fields of one record from a private copy of its payload that
// ends in a zero byte, so that no text runs past the record.
struct RecordReader {
  const BYTE* at;
  const BYTE* end;
};

static DWORD ReadNumber(RecordReader* reader, int width) {
  DWORD value = 0;
  for (int shift = 0; shift < width * 8; shift += 8)
    if (reader->at < reader->end) value |= (DWORD)*reader->at++ << shift;
  return value;
}

static const char* ReadText(RecordReader* reader) {
  const char* text = (const char*)reader->at;
  reader->at += lstrlenA(text) + 1;
  if (reader->at > reader->end) reader->at = reader->end;
  return text;
}

// Replaces an owned string of the model with a new heap string.
static void Replace(char** slot, char* text) {
  FreeBlock(*slot);
  *slot = text;
}

static void Store(char** slot, const char* text) {
  Replace(slot, DuplicateString(text, 0));
}

static COLORREF SwapRedBlue(DWORD rgb) {
  return (rgb & 0xFF00) | (rgb >> 16 & 0xFF) | (rgb & 0xFF) << 16;
}

static void AppendExpanded(StringList list, const char* text) {
  char* expanded = ExpandFolderKeywords(text);
  AppendItem(list, expanded);
  FreeBlock(expanded);
}

static void SetExpanded(StringList list, int index, const char* text) {
  char* expanded = ExpandFolderKeywords(text);
  SetItem(list, index, expanded);
  FreeBlock(expanded);
}

static void LoadString(RecordReader* reader) {
  WORD language = (WORD)ReadNumber(reader, 2);
  BYTE group = (BYTE)ReadNumber(reader, 1);
  BYTE index = (BYTE)ReadNumber(reader, 1);
  const char* text = ReadText(reader);
  StringList* lists = GroupLists(group);
  if (language >= LanguageCount || !lists) return;
  // Page texts may name folders; messages, errors and buttons are kept as written.
  if (group < PageSlotCount) SetExpanded(lists[language], index, text);
  else SetItem(lists[language], index, text);
}

// The first byte holds flags; with LanguagesCodePages each id is followed by
// the code page its texts are written in (0: plain ASCII). A language written
// in another code page than the system's would show as garbage: it is not
// offered, unless no listed language fits, when the first one stands alone.
const DWORD LanguagesAutoSelect = 1, LanguagesCodePages = 2;

static void OfferLanguage(WORD id) {
  PointerArray.InsertPtr(Model.languageIds, 0x7FFFFFFF, (void*)(DWORD_PTR)id);
}

static void LoadLanguages(RecordReader* reader) {
  DWORD flags = ReadNumber(reader, 1);
  int entrySize = flags & LanguagesCodePages ? 4 : 2;
  WORD userLanguage = LOBYTE(GetUserDefaultLangID());
  WORD systemCodePage = (WORD)GetACP();
  WORD chosen = 0xFFFF, first = 0xFFFF, firstListed = 0xFFFF;
  // A trailing part of an entry is none; ids without texts (98 and above) are never offered.
  while (reader->end - reader->at >= entrySize) {
    WORD id = (WORD)ReadNumber(reader, 2);
    WORD codePage = (WORD)ReadNumber(reader, entrySize - 2);
    if (id >= LanguageCount) continue;
    if (firstListed == 0xFFFF) firstListed = id;
    if (codePage && codePage != systemCodePage) continue;
    OfferLanguage(id);
    if (first == 0xFFFF) first = id;
    if ((flags & LanguagesAutoSelect) && id == userLanguage) chosen = id;
  }
  if (chosen == 0xFFFF) chosen = first;
  if (chosen == 0xFFFF && firstListed != 0xFFFF) OfferLanguage(chosen = firstListed);
  // Without any id the language stays as it was.
  if (chosen != 0xFFFF) Model.currentLanguage = chosen;
}

// The face of a font field, or "MS Sans Serif" when that face is not installed.
static char* LoadFont(const char* text, COLORREF* colour) {
  SplitFields(FieldList, text, false);
  const char* face = Field(FieldList, 0);
  if (!*face) face = "Tahoma";
  if (!FontExists(face)) face = "MS Sans Serif";
  *colour = SwapRedBlue(ParseNumber(Field(FieldList, 1)));
  return DuplicateString(face, 0);
}

static void LoadInstallPathSource(const char* text) {
  SplitFields(FieldList, text, false);
  HKEY root = RootKeyFromName(Field(FieldList, 0));
  if (!root) return;
  char* path = ReadRegistryString(root, Field(FieldList, 1), Field(FieldList, 2), 0);
  if (path) SetVariable("%InstallPath%", path);
  FreeBlock(path);
}

static void LoadLaunchFile(int which, const char* text) {
  Replace(&Model.launchFiles[which], ExpandFolderKeywords(text));
  Model.launchFlags[which] = *text != 0;
}

static void LoadProduct(RecordReader* reader) {
  Store(&Model.productName, ReadText(reader));
  const char* displayName = ReadText(reader);
  Store(&Model.displayName, displayName);
  char* caption = (char*)AllocateBlock(lstrlenA(displayName) + sizeof(" Setup"));
  if (caption) wsprintfA(caption, "%s Setup", displayName);
  Replace(&Model.caption, caption);
  Replace(&Model.normalFontFace, LoadFont(ReadText(reader), &Model.normalTextColour));
  Model.pageColour = ReadNumber(reader, 4);
  Model.bandColour = ReadNumber(reader, 4);
  Replace(&Model.titleFontFace, LoadFont(ReadText(reader), &Model.titleTextColour));
  Model.headerColour = ReadNumber(reader, 4);
  Model.options1 = (BYTE)ReadNumber(reader, 1);
  LoadInstallPathSource(ReadText(reader));
  LoadLaunchFile(0, ReadText(reader));
  LoadLaunchFile(1, ReadText(reader));
  BYTE options = (BYTE)ReadNumber(reader, 1);
  Model.options2 = options;
  Model.dialogSetOffset = options & CompactDialogSet ? 20 : 0;
  RebootRequired = RestartChosen = (options & RebootRequiredOption) != 0;
}

static void LoadShortcut(const char* text) {
  AppendItem(Model.shortcuts, text);
  if (FindText(text, "%ShortcutsGroup%", -1, false))
    Model.groupShortcutExists = Model.createProgramGroup = true;
  if (FindText(text, "<Desktop>", -1, false) || FindText(text, "<CommonDesktop>", -1, false))
    Model.desktopShortcutExists = Model.desktopShortcuts = true;
  if (FindText(text, "<QuickLaunch>", -1, false))
    Model.quickLaunchShortcutExists = Model.quickLaunchShortcuts = true;
}

// Files a program or DLL-call record under its moment, without the moment
// field: 0 start-up, 1..12 on leaving page slot moment - 1, -1 uninstall.
// Folder keywords stay as written, as in the other entry lists: the fields
// are expanded one by one when they are used, since a folder may hold a comma.
static void LoadAction(const char* text, bool program) {
  SplitFields(FieldList, text, false);
  // The fields come from this text; at most seven of them, with a comma each.
  int length = lstrlenA(text) + 8;
  int momentField = program ? 3 : 4, lastField = program ? 6 : 5;
  const char* momentText = Field(FieldList, momentField);
  int moment = *momentText ? ParseNumber(momentText) : 11;
  StringList list;
  if (moment >= 1 && moment <= 12)
    list = program ? Model.pages[moment - 1].programs : Model.pages[moment - 1].dllCalls;
  else if (moment == 0) list = program ? Model.startupPrograms : Model.startupDllCalls;
  else if (moment == -1) list = program ? Model.uninstallPrograms : Model.uninstallDllCalls;
  else return;
  char* record = (char*)AllocateBlock(length);
  for (int field = 0; record && field <= lastField; field++) {
    if (field == momentField) continue;
    if (field) lstrcatA(record, ",");
    lstrcatA(record, Field(FieldList, field));
  }
  AppendItem(list, record);
  FreeBlock(record);
}

static void LoadRequirements(RecordReader* reader) {
  char** fields[] = {&Model.requiredWindows, &Model.requiredDirectX, &Model.requiredInternetExplorer,
                     &Model.requiredAccess};
  for (char** field : fields) Store(field, ReadText(reader));
  Model.requireAdministrator = (BYTE)ReadNumber(reader, 1);
}

static void LoadPageSwitches(RecordReader* reader) {
  for (int page = 0; page < 12; page++) {
    Model.pages[page].enabled = ReadNumber(reader, 1) != 0;
    Model.pages[page].templateId = 129 + page + Model.dialogSetOffset;
  }
}

void LoadScriptRecord(DWORD type, const BYTE* sizeField) {
  DWORD size = *(const DWORD*)sizeField;
  BYTE* payload = (BYTE*)DuplicatePart((const char*)sizeField + 4, size);
  if (!payload) return;
  RecordReader reader = {payload, payload + size};
  const char* text = (const char*)payload;
  switch (type) {
    case VariableRecord: {
      const char* name = ReadText(&reader);
      char* value = ExpandFolderKeywords(ReadText(&reader));
      AppendItem(VariableNames, name);
      AppendItem(VariableValues, value);
      FreeBlock(value);
      break;
    }
    case PageSwitchesRecord: LoadPageSwitches(&reader); break;
    case LicenceRecord: Store(&Model.licenceText, text); break;
    case ReadmeRecord: Store(&Model.readmeText, text); break;
    case StringRecord: LoadString(&reader); break;
    case LanguagesRecord: LoadLanguages(&reader); break;
    case GradientRecord:
      Model.backgroundRequested = true;
      Model.gradientStart = SwapRedBlue(ReadNumber(&reader, 4));
      Model.gradientEnd = SwapRedBlue(ReadNumber(&reader, 4));
      break;
    case AccentColourRecord: Model.accentColour = ReadNumber(&reader, 4); break;
    case ProductRecord: LoadProduct(&reader); break;
    case ShortcutRecord: LoadShortcut(text); break;
    case RegistryRecord: AppendItem(Model.registryEntries, text); break;
    case IniRecord: AppendItem(Model.iniEntries, text); break;
    case ProgramRecord: LoadAction(text, true); break;
    case DllCallRecord: LoadAction(text, false); break;
    case AssociationRecord: AppendItem(Model.associations, text); break;
    case RequirementsRecord: LoadRequirements(&reader); break;
    case BackgroundTextRecord: AppendExpanded(Model.backgroundTexts, text); break;
  }
  FreeBlock(payload);
}
