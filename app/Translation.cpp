#include "app/Translation.h"

#include <libintl.h>

#include <clocale>
#include <string>

#include "app/Settings.h"

namespace orvexp {

namespace {

constexpr char kDomain[] = "orvexp";

} // namespace

void UseMessageCatalogue()
{
    // Only the language of messages: numbers, sorting and character classes
    // stay those of the C locale, which the file formats are written in.
    std::setlocale(LC_MESSAGES, "");
    const std::string catalogues = ShareFolder() + "locale";
    ::bindtextdomain(kDomain, catalogues.c_str());
    ::bind_textdomain_codeset(kDomain, "UTF-8");
}

const char* Tr(const char* english)
{
    return ::dgettext(kDomain, english);
}

} // namespace orvexp
