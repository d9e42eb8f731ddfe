// Any arguments (the bytes split at NUL): parsing and the settings they make never fail
// but with a reason, and what is accepted lies within the options' ranges.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "cli/CliOptions.h"
#include "cli/CliSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QStringList arguments;
    const char* begin = reinterpret_cast<const char*>(data);
    const char* const end = begin + size;
    for (const char* at = begin; at <= end; ++at)
        if (at == end || *at == '\0') {
            arguments << QString::fromUtf8(begin, at - begin);
            begin = at + 1;
        }

    const sm::CliParse parse = sm::ParseCliArguments(arguments);
    if (!parse.error.isEmpty())
        return 0;
    sm::CliOptions options = parse.options;
    if (options.jobs < 0 || options.jobs > 1024 || options.timeout < 0) {
        std::fprintf(stderr, "an option out of its range was accepted\n");
        std::abort();
    }
    // The settings file is left out: the fuzzer would read whatever file it names.
    options.settingsFile.clear();
    const sm::CliSettings built = sm::BuildCliSettings(options, QStringLiteral("/nonexistent"), QStringLiteral("/"));
    (void)built;
    return 0;
}
