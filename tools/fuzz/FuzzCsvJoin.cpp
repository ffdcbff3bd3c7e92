// Hostile CSV fields: JoinFields against a plain one-string-at-a-time join, and,
// when the separator is itself a quote trigger, the line read back as CSV must
// give the same fields, each quoted exactly when it holds a trigger or a quote.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/CommaTxt.h"
#include "tools/fuzz/FuzzCheck.h"

using namespace orvexp;

namespace {

bool NeedsQuotes(std::string_view field, const TQuoteTriggers& triggers)
{
    for (const char c : field) {
        if (c == '"' || triggers.test(static_cast<unsigned char>(c))) return true;
    }
    return false;
}

std::string PlainJoin(const std::vector<std::string>& fields, char separator, const TQuoteTriggers& triggers)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += separator;
        if (!NeedsQuotes(fields[i], triggers)) {
            line += fields[i];
            continue;
        }
        line += '"';
        for (const char c : fields[i]) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

struct TReadField {
    std::string Text;
    bool Quoted = false;
};

// Reads a CSV line whose separator is a quote trigger, so no bare field holds it.
bool ReadBack(std::string_view line, char separator, std::vector<TReadField>& fields)
{
    std::size_t i = 0;
    for (;;) {
        TReadField field;
        if (i < line.size() && line[i] == '"') {
            field.Quoted = true;
            ++i;
            for (;;) {
                if (i >= line.size()) return false;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field.Text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.Text += line[i++];
            }
        } else {
            while (i < line.size() && line[i] != separator) {
                if (line[i] == '"') return false;
                field.Text += line[i++];
            }
        }
        fields.push_back(std::move(field));
        if (i == line.size()) return true;
        if (line[i] != separator) return false;
        ++i;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const bool csvWriter = provider.ConsumeBool();
    const char separator = csvWriter ? ',' : provider.ConsumeIntegral<char>();
    TQuoteTriggers triggers = csvWriter ? CsvQuoteTriggers : TQuoteTriggers{};
    if (!csvWriter) {
        for (int word = 0; word < 4; ++word) {
            const std::uint64_t bits = provider.ConsumeIntegral<std::uint64_t>();
            for (int bit = 0; bit < 64; ++bit) {
                if ((bits >> bit) & 1) triggers.set(static_cast<unsigned char>(word * 64 + bit));
            }
        }
    }
    std::vector<std::string> fields;
    while (provider.remaining_bytes() > 0 && fields.size() < 64) {
        fields.push_back(provider.ConsumeRandomLengthString());
    }

    const std::string line = JoinFields(fields, separator, triggers);
    ORVEXP_FUZZ_CHECK(line == PlainJoin(fields, separator, triggers));
    std::vector<std::string_view> views(fields.begin(), fields.end());
    ORVEXP_FUZZ_CHECK(JoinFields(std::span<const std::string_view>(views), separator, triggers) == line);

    if (fields.empty() || separator == '"' || !triggers.test(static_cast<unsigned char>(separator))) return 0;
    std::vector<TReadField> read;
    ORVEXP_FUZZ_CHECK(ReadBack(line, separator, read));
    ORVEXP_FUZZ_CHECK(read.size() == fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        ORVEXP_FUZZ_CHECK(read[i].Text == fields[i]);
        ORVEXP_FUZZ_CHECK(read[i].Quoted == NeedsQuotes(fields[i], triggers));
    }
    return 0;
}
