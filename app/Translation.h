#pragma once
// The command line's own texts (its help, the line shown without a display)
// in the user's language: Japanese under a Japanese locale, from the "ja"
// message catalogue installed beside the program (gettext), English
// otherwise. The wizard and the calendar window speak Japanese always.

namespace orvexp {

// Takes the language from the environment (LC_ALL, LC_MESSAGES, LANG,
// LANGUAGE) and finds the catalogue in share/locale/ beside the program's folder.
void UseMessageCatalogue();

// The translation of `english`; `english` itself when there is none.
const char* Tr(const char* english);

} // namespace orvexp
