// The language of a program's texts: of the language blocks its resources have, the one that
// fits the user's display language, and the thread that loads them set to it.
#pragma once

#include <windows.h>

#include <vector>

// The languages the module has the resource in, in the order the module lists them.
std::vector<LANGID> ResourceLanguages(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName);
// Of the languages available, the one for a user of language user: that language itself, else
// the same language of another country (of the same script, for Chinese), else US English.
LANGID FittingResourceLanguage(LANGID user, const std::vector<LANGID>& available);
// The calling thread's dialogs, menus and strings come from the language's block from now on.
void SetThreadResourceLanguage(LANGID language);
