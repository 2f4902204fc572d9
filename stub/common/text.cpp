#include "common/text.h"
#include "common/heap.h"

StringList FieldList;

void SplitFields(StringList fields, const char* text, bool quoted, char separator) {
  char* copy = DuplicateString(text, 0);
  char* next = copy;
  for (int slot = 0; slot < 15; slot++) {
    char* piece = next;
    char delimiter = separator;
    if (quoted && !slot) {
      piece = FindChar(copy, '"', -1, true);
      if (piece)
        piece++;
      delimiter = '"';
    }
    next = FindChar(piece, delimiter, -1, true);
    if (next) {
      *next++ = 0;
      // After a quoted field, splitting goes on behind the next comma.
      if (delimiter == '"' && (next = FindChar(next, separator, -1, true)))
        next++;
    }
    SetItem(fields, slot, piece ? piece : "");
  }
  FreeBlock(copy);
}

const char* Field(StringList fields, int index) {
  const char* field = GetItem(fields, index);
  return field ? field : "";
}

// The value of a hexadecimal digit, 16 for anything else.
static DWORD DigitValue(char character) {
  if (character >= '0' && character <= '9')
    return character - '0';
  character |= 0x20;
  return character >= 'a' && character <= 'f' ? character - 'a' + 10 : 16;
}

int ParseNumber(const char* text) {
  DWORD base = 10, value = 0, digit;
  bool negative = false;
  if (!text)
    return 0;
  if (*text == '0' && (text[1] | 0x20) == 'x') {
    base = 16;
    text += 2;
  } else if (*text == '0' && DigitValue(text[1]) < 8) {
    base = 8;   // the leading zero reads as an octal digit of its own
  } else if (*text == '-') {
    negative = true;
    text++;
  }
  while ((digit = DigitValue(*text)) < base) {
    value = value * base + digit;
    text++;
  }
  return negative ? -value : value;
}

char UpperCharacter(char character) {
  return (char)(DWORD_PTR)CharUpperA((char*)(DWORD_PTR)(BYTE)character);
}

static bool Same(char a, char b, bool caseSensitive) {
  return a == b || (!caseSensitive && UpperCharacter(a) == UpperCharacter(b));
}

// The searched length: the text's own when length is -1 or reaches past it.
static int Limit(const char* text, int length) {
  int size = TextLength(text);
  return (unsigned)length < (unsigned)size ? length : size;
}

char* FindText(const char* text, const char* pattern, int length, bool caseSensitive) {
  int size = TextLength(pattern);
  if (!text || !size)
    return 0;
  length = Limit(text, length);
  for (int at = 0; at + size <= length; at++) {
    int i = 0;
    while (i < size && Same(text[at + i], pattern[i], caseSensitive))
      i++;
    if (i == size)
      return (char*)text + at;
  }
  return 0;
}

// Kept out of line: both searches share it.
__attribute__((noinline)) static char* Scan(const char* text, char character, int length, bool caseSensitive, bool last) {
  char* found = 0;
  for (int at = 0, end = Limit(text, length); at < end; at++)
    if (Same(text[at], character, caseSensitive)) {
      found = (char*)text + at;
      if (!last)
        break;
    }
  return found;
}

char* FindChar(const char* text, char character, int length, bool caseSensitive) {
  return Scan(text, character, length, caseSensitive, false);
}

char* FindCharReverse(const char* text, char character, int length, bool caseSensitive) {
  return Scan(text, character, length, caseSensitive, true);
}

char* CopyDelimited(char** out, const char* text, char delimiter, int length, bool caseSensitive) {
  *out = 0;
  char* first = FindChar(text, delimiter, length, caseSensitive);
  if (!first)
    return 0;
  char* second = FindChar(first + 1, delimiter, Limit(text, length) - (first - text) - 1, caseSensitive);
  if (!second)
    return 0;
  *out = DuplicatePart(first, second - first + 1);
  return first;
}

char* ReplaceText(const char* text, const char* pattern, const char* replacement, bool caseSensitive) {
  char* result = DuplicateString(text, 0);
  int patternLength = TextLength(pattern), replacementLength = TextLength(replacement);
  int from = 0;
  char* found;
  while (result && (found = FindText(result + from, pattern, -1, caseSensitive))) {
    int at = found - result;
    *found = 0;
    char* next = ConcatStrings(result, replacement, found + patternLength);
    FreeBlock(result);
    result = next;
    // Searching again from the start would never end when the replacement
    // holds the pattern. The search resumes where an occurrence can still
    // reach past the inserted text: such an occurrence always takes up some
    // of the text not yet searched, so the loop ends, and one formed from the
    // end of the replacement and the text after it is still found.
    from = at + replacementLength - patternLength + 1;
    if (from < 0)
      from = 0;
  }
  return result;
}

static char* TokenPosition;

char* NextToken(char* text, const char* separator) {
  if (text && *text)
    TokenPosition = text;
  char* token = TokenPosition;
  if (token) {
    char* cut = FindText(token, separator, -1, true);
    TokenPosition = 0;
    if (cut) {
      *cut = 0;
      TokenPosition = cut + TextLength(separator);
    }
  }
  return token;
}
