#include "script/model.h"
#include "common/heap.h"

SetupModel Model;

StringList* GroupLists(int group) {
  if (group == MessagesGroup) return Model.messages;
  if (group == ErrorsGroup) return Model.errors;
  if (group == ButtonsGroup) return Model.buttons;
  if (group >= 0 && group < PageSlotCount) return Model.pages[group].texts;
  return 0;
}

char* LookupText(int group, int index) {
  StringList* lists = GroupLists(group);
  if (!lists || Model.currentLanguage >= LanguageCount) return 0;
  return GetItem(lists[Model.currentLanguage], index);
}

// Every list the script can fill, in one flat walk so that creation and
// destruction cannot drift apart.
static void ForEachModelList(bool (*visit)(StringList*)) {
  for (int language = 0; language < LanguageCount; language++) {
    visit(&Model.messages[language]);
    visit(&Model.errors[language]);
    visit(&Model.buttons[language]);
  }
  for (int slot = 0; slot < PageSlotCount; slot++) {
    for (int language = 0; language < LanguageCount; language++) visit(&Model.pages[slot].texts[language]);
    visit(&Model.pages[slot].programs);
    visit(&Model.pages[slot].dllCalls);
  }
  StringList* singles[] = {&Model.shortcuts, &Model.registryEntries, &Model.iniEntries,
                           &Model.associations, &Model.startupPrograms, &Model.startupDllCalls,
                           &Model.uninstallPrograms, &Model.uninstallDllCalls, &Model.backgroundTexts};
  for (StringList* list : singles) visit(list);
}

static bool created;
static bool CreateOne(StringList* list) {
  if (!CreateList(list, 5)) created = false;
  return true;
}
static bool DestroyOne(StringList* list) {
  DestroyList(list);
  return true;
}

bool CreateModelLists() {
  created = true;
  Model.currentLanguage = DefaultLanguage;
  Model.accentColour = 0x00C88C00;
  Model.pageColour = 0x01000000;
  ForEachModelList(CreateOne);
  return created;
}

void DestroyModel() {
  ForEachModelList(DestroyOne);
  char** strings[] = {&Model.licenceText, &Model.readmeText, &Model.productName, &Model.displayName,
                      &Model.caption, &Model.normalFontFace, &Model.titleFontFace,
                      &Model.launchFiles[0], &Model.launchFiles[1], &Model.requiredWindows,
                      &Model.requiredDirectX, &Model.requiredInternetExplorer, &Model.requiredAccess,
                      (char**)&Model.script};
  for (char** string : strings) {
    FreeBlock(*string);
    *string = 0;
  }
}
