// Text helpers: the field splitter, the number parser, searching, replacing
// and the tokenizer. Lengths of -1 mean the whole text; no search runs past
// the text's terminating zero.
#pragma once
#include <windows.h>
#include "common/list.h"

// commdlg.h maps these two names to its find and replace dialogs, which the
// stub never uses.
#undef FindText
#undef ReplaceText

// The main thread's field list (growth 15). A worker thread creates its own
// and passes it, since the two may split at the same time.
extern StringList FieldList;

// Fills slots 0..14 of fields from the comma-separated text (or separated by
// another character), missing fields empty. Quoted: field 0 is the text
// between the first two double quotes and may hold commas; splitting goes on
// after the next comma.
void SplitFields(StringList fields, const char* text, bool quoted, char separator = ',');
const char* Field(StringList fields, int index);   // never null: "" for a missing slot

// "0x" hexadecimal, leading-zero octal, else decimal with an optional minus;
// stops at the first character that does not fit and wraps at 32 bits.
int ParseNumber(const char* text);
// The character in upper case, as the system's case-blind comparisons see it.
char UpperCharacter(char character);

// The first occurrence of pattern starting within the first length bytes
// less the pattern's length; null for a null or empty pattern.
char* FindText(const char* text, const char* pattern, int length, bool caseSensitive);
char* FindChar(const char* text, char character, int length, bool caseSensitive);
char* FindCharReverse(const char* text, char character, int length, bool caseSensitive);
// *out = copy of text from the first delimiter through the next one; returns
// the first delimiter, or null (and *out null) when either is missing.
char* CopyDelimited(char** out, const char* text, char delimiter, int length, bool caseSensitive);
// A new string with every occurrence of pattern replaced, including those
// that form across the end of an inserted replacement.
char* ReplaceText(const char* text, const char* pattern, const char* replacement, bool caseSensitive);
// Cuts text in place at each separator; a non-empty text starts over, null
// goes on. The last piece comes once, then null.
char* NextToken(char* text, const char* separator);
