// yvo-demo-db OUT.mdb [--clients N] [--transactions M] [--seed S]
// Writes a demo billing file; see DemoDatabase.h for what it holds.
#include "tools/yvo-demo-db/DemoDatabase.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kUsage = "usage: yvo-demo-db OUT.mdb [--clients N] [--transactions M] [--seed S]";

struct UsageError {
    std::string message;
};

template <typename Number>
Number wholeNumber(std::string_view option, std::string_view text, Number low, Number high) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError{std::string(option) + " needs a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + std::string(text) + "\""};
    return value;
}

struct Arguments {
    std::string out;
    yvo::demo::DemoOptions options;
    bool help = false;
};

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            arguments.help = true;
            return arguments;
        }
        if (argument.starts_with("-")) {
            if (argument != "--clients" && argument != "--transactions" && argument != "--seed")
                throw UsageError{"unknown option " + std::string(argument)};
            if (i + 1 == argc)
                throw UsageError{std::string(argument) + " needs a value"};
            const std::string_view value = argv[++i];
            if (argument == "--clients")
                arguments.options.clients = wholeNumber(argument, value, 1, yvo::demo::kMaxClients);
            else if (argument == "--transactions")
                arguments.options.transactions = wholeNumber(argument, value, 0, yvo::demo::kMaxTransactions);
            else
                arguments.options.seed =
                    wholeNumber<std::uint64_t>(argument, value, 0, std::numeric_limits<std::uint64_t>::max());
            continue;
        }
        if (!arguments.out.empty())
            throw UsageError{"one output file only, not also " + std::string(argument)};
        arguments.out = argument;
    }
    if (arguments.out.empty())
        throw UsageError{"no output file named"};
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    try {
        arguments = parseArguments(argc, argv);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "yvo-demo-db: %s; %s\n", error.message.c_str(), kUsage.data());
        return 2;
    }
    if (arguments.help) {
        std::printf("%s\n", kUsage.data());
        return 0;
    }
    try {
        yvo::demo::writeDemoDatabase(arguments.out, arguments.options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "yvo-demo-db: %s\n", error.what());
        return 1;
    }
    std::printf("%s: %d clients, %d categories, %d transactions\n", arguments.out.c_str(),
                arguments.options.clients, yvo::demo::demoCategoryCount(), arguments.options.transactions);
    return 0;
}
