#include "engine/variables.h"
#include "common/heap.h"
#include "common/text.h"

StringList VariableNames, VariableValues, FolderCache;

bool CreateVariableTable() {
  return CreateList(&VariableNames, 5) && CreateList(&VariableValues, 5) && CreateList(&FolderCache, 5);
}

void DestroyVariableTable() {
  DestroyList(&VariableNames);
  DestroyList(&VariableValues);
  DestroyList(&FolderCache);
}

char* GetVariable(const char* name) {
  int index = FindItem(VariableNames, name, 0, 0);
  return index < 0 ? 0 : GetItem(VariableValues, index);
}

bool SetVariable(const char* name, const char* value) {
  int index = FindItem(VariableNames, name, 0, 0);
  if (index >= 0) return SetItem(VariableValues, index, value);
  index = AppendItem(VariableNames, name);
  // The two lists must stay side by side, so a value that cannot be stored
  // takes its name with it.
  if (index >= 0 && !SetItem(VariableValues, index, value)) {
    DeleteItem(VariableNames, index);
    return false;
  }
  return index >= 0;
}

// About the length one pass makes: every occurrence in the text counts twice
// over, which leaves room for those that form only across an inserted value.
static DWORD PassLength(const char* text, const char* pattern, const char* replacement) {
  DWORD length = lstrlenA(text), patternLength = lstrlenA(pattern);
  for (const char* at = text; patternLength && (at = FindText(at, pattern, -1, false)); at += patternLength)
    length += 2 * lstrlenA(replacement);
  return length;
}

// ReplaceText resumes behind each inserted value, so a value that holds its
// own name is inserted once per occurrence and the pass still ends. With a
// limit, a text that could grow past it is not made: null.
static char* ReplaceAll(const char* text, int count, bool keywords, DWORD limit) {
  char* result = DuplicateString(text ? text : "", 0);
  for (int i = 0; result && i < count; i++) {
    const char* pattern = keywords ? FolderKeywordText(i) : GetItem(VariableNames, i);
    const char* replacement = GetItem(keywords ? FolderCache : VariableValues, i);
    // A keyword that was never resolved stays in the text; a variable
    // without a value stands for nothing.
    if (!pattern || (keywords && !replacement)) continue;
    if (!replacement) replacement = "";
    char* next = limit && PassLength(result, pattern, replacement) > limit
                     ? 0
                     : ReplaceText(result, pattern, replacement, false);
    FreeBlock(result);
    result = next;
  }
  return result;
}

char* ExpandVariables(const char* text) {
  return ReplaceAll(text, Count(VariableNames), false, 0);
}

char* ExpandFolderKeywords(const char* text) {
  return ReplaceAll(text, FolderKeywordCount, true, 0);
}

int SplitExpanded(StringList fields, const char* record) {
  SplitFields(fields, record, false);
  int count = 1;
  for (const char* c = record; *c; c++) count += *c == ',';
  for (int i = 0; i < 15; i++) {
    char* keyworded = ExpandFolderKeywords(Field(fields, i));
    char* text = ExpandVariables(keyworded ? keyworded : Field(fields, i));
    SetItem(fields, i, text ? text : "");
    FreeBlock(text);
    FreeBlock(keyworded);
  }
  return count;
}

bool SettleVariables() {
  int count = Count(VariableNames);
  for (int sweep = 0; sweep <= count; sweep++) {
    bool changed = false;
    for (int i = 0; i < count; i++) {
      const char* value = GetItem(VariableValues, i);
      char* expanded = ReplaceAll(value, count, false, MaxTextLength);
      if (!expanded) return false;
      if (lstrcmpA(expanded, value ? value : "")) changed = true;
      SetItem(VariableValues, i, expanded);
      FreeBlock(expanded);
    }
    bool referring = false;
    for (int i = 0; i < count; i++)
      if (ContainsAnyItem(GetItem(VariableValues, i), VariableNames)) referring = true;
    if (!referring) return true;
    if (!changed) return false;
  }
  return false;
}
