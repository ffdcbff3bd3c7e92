#include "app/global.h"

#include <cstdio>

#ifndef ORVEXP_VERSION_MAJOR
#error "the build passes the project version as ORVEXP_VERSION_MAJOR..ORVEXP_VERSION_BUILD"
#endif
#ifndef ORVEXP_BETA
#define ORVEXP_BETA 0
#endif

namespace orvexp {

namespace {

constexpr bool kBetaBuild = ORVEXP_BETA != 0;

// Japanese, code page 932: the one translation of the resource.
constexpr TVersionTranslation kJapanese{0x0411, 932};

std::string TranslationKey(const TVersionTranslation& translation)
{
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", translation.Language, translation.CodePage);
    return key;
}

TGlobal StartGlobal()
{
    TGlobal global;
    global.VersionInfo = std::make_unique<TVersionInfo>(ThisProgramVersionResource());
    global.ProductName = GetProductName(global.VersionInfo.get());
    return global;
}

} // namespace

TGlobal Global = StartGlobal();

TVersionResource ThisProgramVersionResource()
{
    TVersionResource resource;
    resource.FileVersion = {ORVEXP_VERSION_MAJOR, ORVEXP_VERSION_MINOR, ORVEXP_VERSION_PATCH, ORVEXP_VERSION_BUILD};
    resource.ProductVersion = "1.0";
    resource.Translations.push_back(kJapanese);
    resource.StringTables[TranslationKey(kJapanese)] = {
        {"ProductName", kFallbackProductName},
        {"ProductVersion", resource.ProductVersion},
        {"LegalCopyright", kFallbackCopyright},
    };
    return resource;
}

TVersionInfo::TVersionInfo(TVersionResource resource) : HasResource(true), Resource(std::move(resource))
{
}

std::string TVersionInfo::GetValue(const std::string& name) const
{
    if (!HasResource || Resource.Translations.empty()) return {};
    const auto table = Resource.StringTables.find(TranslationKey(Resource.Translations.front()));
    if (table == Resource.StringTables.end()) return {};
    const auto value = table->second.find(name);
    return value == table->second.end() ? std::string() : value->second;
}

bool IsBeta(const TVersionInfo* info)
{
    return info && info->Valid() && kBetaBuild;
}

std::string GetProductName(const TVersionInfo* info)
{
    return info && info->Valid() ? info->GetValue("ProductName") : kFallbackProductName;
}

std::string GetVersionText(const TVersionInfo* info)
{
    if (!info || !info->Valid()) return "-.-";
    char text[32];
    if (info->Release() != 0) {
        std::snprintf(text, sizeof text, "%2d.%.2d.%.2d", info->Major(), info->Minor(), info->Release());
    } else {
        std::snprintf(text, sizeof text, "%2d.%.2d", info->Major(), info->Minor());
    }
    return text;
}

std::string GetBuildText(const TVersionInfo* info)
{
    if (!info || !info->Valid()) return "????";
    char text[16];
    std::snprintf(text, sizeof text, "%.4d", info->Build());
    return text;
}

std::string GetCopyrightText(const TVersionInfo* info)
{
    return info && info->Valid() ? info->GetValue("LegalCopyright") : kFallbackCopyright;
}

bool IsBeta() { return IsBeta(Global.VersionInfo.get()); }
std::string GetProductName() { return GetProductName(Global.VersionInfo.get()); }
std::string GetVersionText() { return GetVersionText(Global.VersionInfo.get()); }
std::string GetBuildText() { return GetBuildText(Global.VersionInfo.get()); }
std::string GetCopyrightText() { return GetCopyrightText(Global.VersionInfo.get()); }

std::string GetVersionLine()
{
    return GetProductName() + " Ver" + GetVersionText() + " Build " + GetBuildText();
}

} // namespace orvexp
