#pragma once
// Script variables (%NAME%) and folder keywords (<Folder>).
#include <windows.h>
#include "common/list.h"

extern StringList VariableNames;
extern StringList VariableValues;
extern StringList FolderCache;

bool CreateVariableTable();
void DestroyVariableTable();
char* GetVariable(const char* name);                    // the first value of that name, or null
bool SetVariable(const char* name, const char* value);
char* ExpandVariables(const char* text);                // new heap string
char* ExpandFolderKeywords(const char* text);           // new heap string
bool LoadShellFolderFunctions();
void ReleaseShellFolderFunctions();
void FillFolderCache();
