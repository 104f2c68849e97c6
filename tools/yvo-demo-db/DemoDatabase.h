#pragma once
// A demo billing file: the clients, income and expense categories and two years of transactions
// (2025-01-01 to 2026-12-31) of a small design and consulting studio. The same options give the same
// data on every machine: all randomness comes from one splitmix64 stream seeded with the seed.

#include <cstdint>
#include <filesystem>
#include <stdexcept>

namespace yvo::demo {

struct DemoOptions {
    int clients = 60;
    int transactions = 1200;
    std::uint64_t seed = 2025;
};

constexpr int kMaxClients = 10'000'000;
constexpr int kMaxTransactions = 100'000'000;

// The output file is there already; it is left as it is.
class OutputExists : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes a new billing file with the schema of data/schema.sql at out. The data goes into a temporary
// file beside out, which takes the name out only when complete and only if no file has it by then.
// Throws OutputExists when out exists, std::runtime_error on any other failure (the temporary file
// is removed then). clients must be 1 to kMaxClients, transactions 0 to kMaxTransactions.
void writeDemoDatabase(const std::filesystem::path& out, const DemoOptions& options);

// How many categories every demo file has.
int demoCategoryCount();

} // namespace yvo::demo
