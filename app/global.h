#pragma once
// Unit global: the program-wide record Global that the wizard hands to the
// writers, and the version texts of the footer, the window caption and
// `orvexp --version`.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "export/ExportType.h"

namespace orvexp {

// One entry of a version resource's translation list.
struct TVersionTranslation {
    std::uint16_t Language = 0;
    std::uint16_t CodePage = 0;
};

// What a program's version resource carries.
struct TVersionResource {
    std::array<std::uint16_t, 4> FileVersion{}; // major, minor, release, build
    std::string ProductVersion;
    std::vector<TVersionTranslation> Translations;
    // String tables by their key, language and code page as eight hex digits ("041103A4").
    std::map<std::string, std::map<std::string, std::string>> StringTables;
};

// The version resource of this program, compiled in from the build's project version.
TVersionResource ThisProgramVersionResource();

// The version reader: the values of one version resource, or none at all.
class TVersionInfo {
public:
    // A reader for a program without a version resource: not Valid, every value empty.
    TVersionInfo() = default;
    explicit TVersionInfo(TVersionResource resource);

    bool Valid() const { return HasResource; }
    std::uint16_t Major() const { return Resource.FileVersion[0]; }
    std::uint16_t Minor() const { return Resource.FileVersion[1]; }
    std::uint16_t Release() const { return Resource.FileVersion[2]; }
    std::uint16_t Build() const { return Resource.FileVersion[3]; }

    // The string value `name` ("ProductName", "LegalCopyright") from the table that
    // the first translation names; "" when there is none.
    std::string GetValue(const std::string& name) const;

private:
    bool HasResource = false;
    TVersionResource Resource;
};

// The program-wide record. Texts are UTF-8; folders end with "/".
struct TGlobal {
    TExportType ExportType = etCsvSchedules;
    std::string DataFolder;
    std::unique_ptr<TVersionInfo> VersionInfo;
    std::string ProductName;
};

// Created at program start with this program's version reader and product name;
// released at exit.
extern TGlobal Global;

// The product name and copyright notice used when there is no version resource.
inline constexpr char kFallbackProductName[] = "Orvanel エクスポートウィザード";
inline constexpr char kFallbackCopyright[] = "Copyright (C) 2026 orvexp developers";

// The version texts of a reader (nullptr = no version resource). None fails.
bool IsBeta(const TVersionInfo* info);
std::string GetProductName(const TVersionInfo* info);
std::string GetVersionText(const TVersionInfo* info);  // " 1.00", " 2.10.03", "12.05"; "-.-"
std::string GetBuildText(const TVersionInfo* info);    // "0175"; "????"
std::string GetCopyrightText(const TVersionInfo* info);

// The same for Global's reader.
bool IsBeta();
std::string GetProductName();
std::string GetVersionText();
std::string GetBuildText();
std::string GetCopyrightText();

// "Orvanel エクスポートウィザード Ver 1.00 Build 0175", the line of `orvexp --version`.
std::string GetVersionLine();

} // namespace orvexp
