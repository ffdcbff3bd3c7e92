// Hostile settings files (orvexp.ini). TIniFile reads from a path, so each
// input is placed in an in-memory file (memfd) and opened through /proc.
// Properties: reading never changes the text; the wizard's keys read without
// harm; a key written reads back, also after the text is parsed anew.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/IniFile.h"
#include "tools/fuzz/FuzzCheck.h"

using namespace orvexp;

namespace {

// One in-memory file, reused for every input.
class TMemoryFile {
public:
    TMemoryFile() : Fd(::memfd_create("orvexp.ini", MFD_CLOEXEC))
    {
        if (Fd < 0) std::abort();
        Path = "/proc/self/fd/" + std::to_string(Fd);
    }
    ~TMemoryFile() { ::close(Fd); }

    const std::string& Hold(std::string_view bytes)
    {
        ORVEXP_FUZZ_CHECK(::ftruncate(Fd, 0) == 0);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::pwrite(Fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            ORVEXP_FUZZ_CHECK(put > 0);
            done += static_cast<std::size_t>(put);
        }
        return Path;
    }

private:
    int Fd;
    std::string Path;
};

const char* const kWizardKeys[] = {"DefaultDataFolder", "DefaultExportFolder", "ExportEmptyMemo"};
const char* const kColorKeys[] = {"TimeColor",   "ScheduleColor",   "MemoColor",  "DateBkColor",
                                  "TimeBkColor", "ScheduleBkColor", "MemoBkColor"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TMemoryFile file;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::int32_t number = 0;
    (void)TryParseIniInteger(bytes, number);

    TIniFile ini(file.Hold(bytes));
    ORVEXP_FUZZ_CHECK(ini.Text() == bytes);

    for (const char* key : kWizardKeys) {
        const std::string value = ini.ReadString("OrvanelExportWizard", key, "default");
        ORVEXP_FUZZ_CHECK(value.size() <= 2047);
        (void)ini.ReadBool("ORVANELEXPORTWIZARD", key, true);
    }
    for (const char* key : kColorKeys) (void)ini.ReadInteger("HTMLColors", key, 15461355);

    // The writes of a finish, then the same text parsed again.
    const std::string folder = "/home/user/オルバネル/出力/";
    ini.WriteString("OrvanelExportWizard", "DefaultExportFolder", folder);
    ini.WriteInteger("HTMLColors", "DateBkColor", -2147483640);
    ini.WriteBool("OrvanelExportWizard", "ExportEmptyMemo", false);
    ORVEXP_FUZZ_CHECK(ini.ReadString("OrvanelExportWizard", "DefaultExportFolder", "") == folder);
    ORVEXP_FUZZ_CHECK(ini.ReadInteger("HTMLColors", "DateBkColor", 0) == -2147483640);
    ORVEXP_FUZZ_CHECK(!ini.ReadBool("OrvanelExportWizard", "ExportEmptyMemo", true));

    const std::string text = ini.Text();
    const TIniFile reread(file.Hold(text));
    ORVEXP_FUZZ_CHECK(reread.Text() == text);
    ORVEXP_FUZZ_CHECK(reread.ReadString("OrvanelExportWizard", "DefaultExportFolder", "") == folder);
    ORVEXP_FUZZ_CHECK(reread.ReadInteger("HTMLColors", "DateBkColor", 0) == -2147483640);
    ORVEXP_FUZZ_CHECK(!reread.ReadBool("OrvanelExportWizard", "ExportEmptyMemo", true));
    return 0;
}
