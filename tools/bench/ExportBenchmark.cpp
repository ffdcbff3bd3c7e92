// Measures `orvexp export` against the cost of reading its inputs and writing
// its output (the I/O floor), for each of the seven export types over ten years
// of a large data folder. Prints medians, the ratio export / floor and the
// export's peak memory.
//
//   orvexp-export-benchmark [--orvexp PATH] [--runs N] [--entries N]... [--type T]... [--work DIR]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "export/ExportRequest.h"
#include "export/ExportType.h"
#include "tools/bench/LargeDataFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::size_t ReadWholeFile(const std::string& path, std::vector<char>& buffer)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::size_t total = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return total;
}

// Reading every input once and writing a file of the output's size durably.
double MeasureFloor(const std::string& folder, std::size_t outputSize, const std::string& outputPath)
{
    std::vector<char> buffer(1 << 16);
    const auto start = Clock::now();
    std::size_t read = 0;
    for (const char* name : {"schedule.dat", "holidays.dat", "spcldays.dat", "daysoff.dat"}) {
        read += ReadWholeFile(folder + "/" + name, buffer);
    }
    const std::string memoFolder = folder + "/Memo";
    if (DIR* dir = ::opendir(memoFolder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] == '.') continue;
            read += ReadWholeFile(memoFolder + "/" + entry->d_name, buffer);
        }
        ::closedir(dir);
    }
    // Written in parts from one buffer, as the writers hand out their output.
    const std::string part(orvexp::kOutputDrainSize, 'x');
    const std::string temp = outputPath + ".floor";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::size_t written = 0;
    while (fd >= 0 && written < outputSize) {
        const ssize_t put = ::write(fd, part.data(), std::min(part.size(), outputSize - written));
        if (put <= 0) break;
        written += static_cast<std::size_t>(put);
    }
    // Flushed to disk before the rename, as every output is.
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    ::rename(temp.c_str(), (outputPath + ".floor-out").c_str());
    const auto elapsed = Clock::now() - start;
    if (read == 0) std::fprintf(stderr, "warning: no input read in %s\n", folder.c_str());
    return Milliseconds(elapsed);
}

struct TRun {
    double Milliseconds = 0;
    long PeakKilobytes = 0;
    int Status = -1;
};

// The iCalendar type runs with the day items, so that it reads what the HTML types read.
TRun RunExport(const std::string& orvexp, orvexp::TExportType type, const std::string& folder, int firstYear,
               int years, const std::string& output)
{
    const std::string from = std::to_string(firstYear) + "/01/01";
    const std::string to = std::to_string(firstYear + years - 1) + "/12/31";
    const std::string typeText = std::to_string(type);
    const std::string data = folder + "/schedule.dat";
    std::vector<std::string> arguments = {orvexp, "export", "--type", typeText, "--data", data, "--from", from,
                                          "--to", to, "--output", output};
    if (orvexp::IsIcsType(type)) {
        arguments.push_back("--with-days");
    } else {
        arguments.push_back("--empty-memos");
    }
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    TRun run;
    const auto start = Clock::now();
    // fork, not posix_spawn: a vfork child would report this program's own
    // high-water mark as its peak memory.
    const pid_t pid = ::fork();
    if (pid < 0) return run;
    if (pid == 0) {
        ::execv(orvexp.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.Milliseconds = Milliseconds(Clock::now() - start);
    run.PeakKilobytes = usage.ru_maxrss;
    run.Status = status;
    return run;
}

std::size_t FileSize(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string orvexp = ORVEXP_BINARY;
    std::string work = "/tmp/orvexp-bench";
    int runs = 5;
    std::vector<int> entryCounts;
    std::vector<orvexp::TExportType> types;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--orvexp") orvexp = argv[i + 1];
        else if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--entries") entryCounts.push_back(std::atoi(argv[i + 1]));
        else if (option == "--work") work = argv[i + 1];
        else if (option == "--type" && orvexp::ExportTypeOfName(argv[i + 1])) {
            types.push_back(*orvexp::ExportTypeOfName(argv[i + 1]));
        } else {
            std::fprintf(stderr, "usage: %s [--orvexp PATH] [--runs N] [--entries N]... [--type T]... [--work DIR]\n", argv[0]);
            return 2;
        }
    }
    if (entryCounts.empty()) entryCounts = {10000, 100000};
    if (types.empty()) types.assign(std::begin(orvexp::kExportTypes), std::end(orvexp::kExportTypes));

    std::printf("%-8s %-15s %10s %10s %10s %7s %9s %9s\n", "entries", "type", "output MB", "floor ms", "export ms",
                "ratio", "peak MB", "limit MB");
    for (const int entries : entryCounts) {
        const orvexp::bench::TLargeDataShape shape{2017, 10, entries};
        const std::string folder = work + "/data-" + std::to_string(entries);
        if (!std::filesystem::exists(folder + "/schedule.dat")) orvexp::bench::WriteLargeDataFolder(folder, shape);
        for (const orvexp::TExportType type : types) {
            const std::string output = work + "/out-" + std::to_string(entries) + "-" + std::to_string(type);
            TRun warm = RunExport(orvexp, type, folder, shape.FirstYear, shape.Years, output);
            if (warm.Status != 0) {
                std::fprintf(stderr, "orvexp export failed (status %d)\n", warm.Status);
                return 1;
            }
            const std::size_t outputSize = FileSize(output);
            std::vector<double> floors, exports;
            long peak = warm.PeakKilobytes;
            MeasureFloor(folder, outputSize, output);
            for (int run = 0; run < runs; ++run) {
                // Each measurement starts with nothing left to write back from the one before.
                ::sync();
                floors.push_back(MeasureFloor(folder, outputSize, output));
                // An export of unchanged bytes keeps the file; removing it measures the write.
                std::filesystem::remove(output);
                ::sync();
                const TRun measured = RunExport(orvexp, type, folder, shape.FirstYear, shape.Years, output);
                exports.push_back(measured.Milliseconds);
                peak = std::max(peak, measured.PeakKilobytes);
            }
            const double floor = Median(floors);
            const double exported = Median(exports);
            const double outputMb = static_cast<double>(outputSize) / (1024.0 * 1024.0);
            std::printf("%-8d %-15s %10.2f %10.1f %10.1f %7.2f %9.1f %9.1f\n", entries, orvexp::CommandLineName(type), outputMb,
                        floor, exported, exported / floor, static_cast<double>(peak) / 1024.0, 2 * outputMb + 30);
            std::fflush(stdout);
        }
    }
    return 0;
}
