#include "tools/yvo-demo-db/DemoDatabase.h"

#include "data/Schema.h"
#include "platform/text/SerialDate.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

namespace yvo::demo {

namespace {

// ---- Randomness -----------------------------------------------------------------------------------

// splitmix64: tiny, fast, and the same numbers everywhere (unlike the standard distributions).
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, bound), bound > 0, without the bias of a bare modulo.
    std::uint64_t below(std::uint64_t bound) {
        const std::uint64_t threshold = (0 - bound) % bound;
        for (;;) {
            const std::uint64_t r = next();
            if (r >= threshold)
                return r % bound;
        }
    }

    // Uniform in [low, high].
    int between(int low, int high) {
        return low + static_cast<int>(below(static_cast<std::uint64_t>(high - low) + 1));
    }

    // True with the given chance in percent.
    bool percent(int chance) { return below(100) < static_cast<std::uint64_t>(chance); }

    template <typename T, std::size_t N> const T& pick(const std::array<T, N>& items) {
        return items[below(N)];
    }

private:
    std::uint64_t m_state;
};

// Picks an index with chances proportional to its weight.
class WeightedChoice {
public:
    void add(int weight) {
        m_total += static_cast<std::uint64_t>(weight);
        m_cumulative.push_back(m_total);
    }
    std::size_t pick(Random& random) const {
        const std::uint64_t r = random.below(m_total);
        return static_cast<std::size_t>(std::upper_bound(m_cumulative.begin(), m_cumulative.end(), r) -
                                        m_cumulative.begin());
    }

private:
    std::vector<std::uint64_t> m_cumulative;
    std::uint64_t m_total = 0;
};

// ---- What the studio's books hold -------------------------------------------------------------------

struct Category {
    int code;
    const char* description;
    const char* type;
    int weight; // how often it is booked
    // Amounts in cents: low + k * step up to high; hourly work is billed instead as low to high
    // quarter hours at one of the hourly rates.
    bool hourly;
    int low;
    int high;
    int step;
};

constexpr std::array<Category, 15> kCategories{{
    {101, "Consulting Fees", "IN", 18, true, 2, 160, 0},
    {102, "Design Work", "IN", 16, true, 4, 240, 0},
    {105, "Website Maintenance", "IN", 10, false, 7500, 45000, 2500},
    {110, "Workshops & Training", "IN", 4, false, 40000, 320000, 5000},
    {120, "Monthly Retainers", "IN", 8, false, 50000, 150000, 25000},
    {150, "Print Production", "IN", 5, false, 12000, 240000, 1},
    {-1, "Late Payment Fees", "IN", 2, false, 1500, 9500, 500},
    {201, "Rent", "EX", 3, false, 185000, 185000, 1},
    {204, "Utilities", "EX", 4, false, 8500, 42000, 1},
    {210, "Software Subscriptions", "EX", 6, false, 999, 29900, 100},
    {215, "Travel", "EX", 5, false, 3500, 185000, 1},
    {230, "Meals & Entertainment", "EX", 5, false, 1800, 24000, 1},
    {240, "Office Supplies", "EX", 5, false, 650, 38000, 1},
    {260, "Subcontractors", "EX", 6, true, 8, 200, 0},
    {2147483000, "Equipment Leasing", "EX", 2, false, 28900, 41250, 12350},
}};

constexpr std::array<int, 5> kHourlyRatesCents{8500, 9500, 11000, 12500, 15000};

constexpr std::array<const char*, 40> kFirstNames{
    "Olivia", "Liam",   "Emma",   "Noah",   "Ava",    "Ethan",    "Sophia", "Mason",   "Isabella", "Lucas",
    "Mia",    "Logan",  "Amelia", "James",  "Harper", "Benjamin", "Evelyn", "Henry",   "Abigail",  "Daniel",
    "Grace",  "Samuel", "Chloé",  "David",  "Nora",   "Owen",     "Lily",   "Gabriel", "Hannah",   "Julian",
    "Zoe",    "Aaron",  "Leah",   "Marcus", "Priya",  "Wei",      "Sofia",  "José",    "Aisha",    "Søren"};

constexpr std::array<const char*, 50> kLastNames{
    "Anderson", "Baker",     "Chen",       "Dawson",  "Ellis",     "Fischer", "Garcia",    "Hughes",
    "Ibarra",   "Jensen",    "Kowalski",   "Lambert", "Morales",   "Nguyen",  "O'Brien",   "Patel",
    "Quinn",    "Reyes",     "Schmidt",    "Turner",  "Underwood", "Vasquez", "Walsh",     "Xu",
    "Young",    "Zimmerman", "Bennett",    "Carter",  "Duarte",    "Foster",  "Gallagher", "Holloway",
    "Kapoor",   "Lindqvist", "McAllister", "Novak",   "Okafor",    "Parker",  "Rossi",     "Sullivan",
    "Thompson", "Vogel",     "Whitaker",   "Brooks",  "Castillo",  "Delgado", "Fontaine",  "Hartmann",
    "Moreau",   "Müller"};

constexpr std::array<const char*, 20> kCompanyWords{
    "Bluebird",  "Cedar",   "Harbor",    "Maple Street", "Northwind",  "Silverline", "Copper Kettle",
    "Greenleaf", "Summit",  "Riverside", "Lighthouse",   "Oak & Iron", "Brightside", "Evergreen",
    "Red Barn",  "Granite", "Juniper",   "Willow",       "Sunset",     "Pinecrest"};

constexpr std::array<const char*, 20> kCompanyKinds{
    "Bakery",          "Dental Care",      "Architects", "Yoga Studio",       "Landscaping",
    "Coffee Roasters", "Law Office",       "Realty",     "Veterinary Clinic", "Books",
    "Brewing Co.",     "Fitness",          "Florist",    "Auto Repair",       "Photography",
    "Catering",        "Consulting Group", "Pharmacy",   "Hardware",          "Interiors"};

constexpr std::array<const char*, 3> kCompanySuffixes{" LLC", " Inc.", " & Co."};

struct Client {
    std::string firstName;
    std::string lastName;
    std::optional<std::string> company;
    int weight; // how busy the client is
};

// Clients whose names begin with a digit, which the writing application stores coded.
std::vector<Client> showcaseClients() {
    return {
        {"Margaret", "Hollis", "1st Avenue Books", 6},   {"Dev", "Raman", "7 Oaks Dental", 5},
        {"4th Grade", "Class Fund", std::nullopt, 2},    {"Front Desk", "3 Rivers Hotel", std::nullopt, 4},
        {"Rick", "Dunbar", "0 to 60 Auto Detailing", 3}, {"Tess", "Marlowe", "9 Lives Animal Rescue", 3},
    };
}

Client randomClient(Random& random) {
    Client client;
    client.firstName = random.pick(kFirstNames);
    client.lastName = random.pick(kLastNames);
    if (!random.percent(25)) {
        std::string company;
        switch (random.below(3)) {
        case 0:
            company = std::string(random.pick(kCompanyWords)) + " " + random.pick(kCompanyKinds);
            break;
        case 1:
            company = client.lastName + " " + random.pick(kCompanyKinds);
            break;
        default:
            company = client.lastName + " & " + random.pick(kLastNames);
            break;
        }
        if (random.percent(30))
            company += random.pick(kCompanySuffixes);
        client.company = std::move(company);
    }
    client.weight = random.percent(10) ? random.between(20, 40) : random.between(1, 8);
    return client;
}

// The writing application stores a leading digit d as the Windows-1252 character 161 + d
// (U+00A1 to U+00AA) and sets the name's flag.
std::pair<std::string, bool> codeLeadingDigit(const std::string& name) {
    if (name.empty() || name.front() < '0' || name.front() > '9')
        return {name, false};
    std::string coded = "\xC2";
    coded += static_cast<char>(0xA1 + (name.front() - '0'));
    coded.append(name, 1);
    return {coded, true};
}

int amountCents(const Category& category, Random& random) {
    if (category.hourly) {
        const int quarterHours = random.between(category.low, category.high);
        return quarterHours * random.pick(kHourlyRatesCents) / 4;
    }
    const int steps = (category.high - category.low) / category.step;
    return category.low + random.between(0, steps) * category.step;
}

// Most bills are paid in full; some invoices stay open, partly paid or not at all.
int paidCents(const Category& category, int dueCents, Random& random) {
    const bool income = std::string_view(category.type) == "IN";
    const int roll = random.between(0, 99);
    const int unpaid = income ? 9 : 2;
    const int partly = income ? 7 : 2;
    if (roll < unpaid)
        return 0;
    if (roll < unpaid + partly && dueCents > 1)
        return std::clamp(dueCents / 100 * random.between(20, 80), 1, dueCents - 1);
    return dueCents;
}

// ---- SQLite ---------------------------------------------------------------------------------------

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

void check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
}

void execute(sqlite3* db, const char* sql) {
    check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

Statement prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    check(db, sqlite3_prepare_v2(db, sql, -1, &raw, nullptr));
    return Statement(raw);
}

void bindText(sqlite3* db, sqlite3_stmt* statement, int index, const std::optional<std::string>& text) {
    if (text)
        check(db, sqlite3_bind_text(statement, index, text->data(), static_cast<int>(text->size()),
                                    SQLITE_TRANSIENT));
    else
        check(db, sqlite3_bind_null(statement, index));
}

void stepAndReset(sqlite3* db, sqlite3_stmt* statement) {
    check(db, sqlite3_step(statement));
    check(db, sqlite3_reset(statement));
}

// ---- The temporary file -----------------------------------------------------------------------------

std::string systemError(const std::string& what, const std::filesystem::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

// A new empty file beside the output, removed again unless it is published under the output's name.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& out) {
        for (int attempt = 0;; ++attempt) {
            std::filesystem::path candidate = out;
            candidate += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                m_path = std::move(candidate);
                return;
            }
            if (errno != EEXIST || attempt == 99)
                throw std::runtime_error(systemError("cannot create", candidate));
        }
    }
    ~TemporaryFile() {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Gives the file the name out, never replacing a file of that name (a hard link fails then).
    void publishAs(const std::filesystem::path& out) {
        if (::link(m_path.c_str(), out.c_str()) != 0) {
            if (errno == EEXIST)
                throw OutputExists(out.string() + " already exists; it is left as it is");
            throw std::runtime_error(systemError("cannot create", out));
        }
        ::unlink(m_path.c_str());
        m_path.clear();
    }

private:
    std::filesystem::path m_path;
};

// ---- Writing ----------------------------------------------------------------------------------------

void writeCategories(sqlite3* db) {
    const Statement insert =
        prepare(db, "INSERT INTO INEXTB (ProductCode, DESCRIPTION, TYPE) VALUES (?, ?, ?)");
    for (const Category& category : kCategories) {
        check(db, sqlite3_bind_int(insert.get(), 1, category.code));
        check(db, sqlite3_bind_text(insert.get(), 2, category.description, -1, SQLITE_STATIC));
        check(db, sqlite3_bind_text(insert.get(), 3, category.type, -1, SQLITE_STATIC));
        stepAndReset(db, insert.get());
    }
}

// Writes the clients and returns the chance of each (in ClientID order) to appear on a transaction.
WeightedChoice writeClients(sqlite3* db, int count, Random& random) {
    const Statement insert =
        prepare(db, "INSERT INTO CLIENTS (ClientID, [first name], [last name], company, CNUM, LNUM, FNUM) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?)");
    const std::vector<Client> showcase = showcaseClients();
    WeightedChoice choice;
    for (int id = 1; id <= count; ++id) {
        const auto index = static_cast<std::size_t>(id - 1);
        const Client client = index < showcase.size() ? showcase[index] : randomClient(random);
        const auto [firstName, fnum] = codeLeadingDigit(client.firstName);
        const auto [lastName, lnum] = codeLeadingDigit(client.lastName);
        std::optional<std::string> company;
        bool cnum = false;
        if (client.company)
            std::tie(company, cnum) = codeLeadingDigit(*client.company);

        check(db, sqlite3_bind_int(insert.get(), 1, id));
        bindText(db, insert.get(), 2, firstName);
        bindText(db, insert.get(), 3, lastName);
        bindText(db, insert.get(), 4, company);
        check(db, sqlite3_bind_int(insert.get(), 5, cnum ? 1 : 0));
        check(db, sqlite3_bind_int(insert.get(), 6, lnum ? 1 : 0));
        check(db, sqlite3_bind_int(insert.get(), 7, fnum ? 1 : 0));
        stepAndReset(db, insert.get());
        choice.add(client.weight);
    }
    return choice;
}

// When each transaction happens, in order: mostly on weekdays, now and then with a time of day.
std::vector<double> transactionDates(int count, Random& random) {
    const QDate first(2025, 1, 1);
    const int days = static_cast<int>(first.daysTo(QDate(2026, 12, 31))) + 1;
    std::vector<std::pair<int, int>> moments; // day, second of the day
    moments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        int day = random.between(0, days - 1);
        if (first.addDays(day).dayOfWeek() > 5 && random.percent(80))
            day = random.between(0, days - 1);
        const int second = random.percent(5) ? random.between(8 * 3600, 19 * 3600 - 1) : 0;
        moments.emplace_back(day, second);
    }
    std::sort(moments.begin(), moments.end());
    std::vector<double> serials;
    serials.reserve(moments.size());
    for (const auto& [day, second] : moments)
        serials.push_back(text::toSerialDate(first.addDays(day), QTime(0, 0).addSecs(second)));
    return serials;
}

void writeTransactions(sqlite3* db, int count, const WeightedChoice& clients, Random& random) {
    WeightedChoice categories;
    for (const Category& category : kCategories)
        categories.add(category.weight);
    const Statement insert = prepare(
        db, "INSERT INTO TRANS (TransID, CLIENTID, ProductCode, DATE, [Total Amount Due], [Amount Paid]) "
            "VALUES (?, ?, ?, ?, ?, ?)");
    const std::vector<double> dates = transactionDates(count, random);
    for (int i = 0; i < count; ++i) {
        const Category& category = kCategories[categories.pick(random)];
        const int clientId = static_cast<int>(clients.pick(random)) + 1;
        const int due = amountCents(category, random);
        const int paid = paidCents(category, due, random);
        check(db, sqlite3_bind_int(insert.get(), 1, i + 1));
        check(db, sqlite3_bind_int(insert.get(), 2, clientId));
        check(db, sqlite3_bind_int(insert.get(), 3, category.code));
        check(db, sqlite3_bind_double(insert.get(), 4, dates[static_cast<std::size_t>(i)]));
        check(db, sqlite3_bind_double(insert.get(), 5, due / 100.0));
        check(db, sqlite3_bind_double(insert.get(), 6, paid / 100.0));
        stepAndReset(db, insert.get());
    }
}

void writeContents(const std::filesystem::path& file, const DemoOptions& options) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.string() + ": " +
                                 (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    // The file is private until it is complete, so a rollback journal on disk buys nothing.
    execute(db.get(), "PRAGMA journal_mode = MEMORY");
    execute(db.get(), "PRAGMA cache_size = -65536");
    execute(db.get(), "BEGIN");
    data::createBillingSchema(db.get());
    Random random(options.seed);
    writeCategories(db.get());
    const WeightedChoice clients = writeClients(db.get(), options.clients, random);
    writeTransactions(db.get(), options.transactions, clients, random);
    execute(db.get(), "COMMIT");
    check(db.get(), sqlite3_close(db.get()));
    static_cast<void>(db.release()); // closed just now
}

} // namespace

int demoCategoryCount() {
    return static_cast<int>(kCategories.size());
}

void writeDemoDatabase(const std::filesystem::path& out, const DemoOptions& options) {
    if (options.clients < 1 || options.clients > kMaxClients || options.transactions < 0 ||
        options.transactions > kMaxTransactions)
        throw std::invalid_argument("client or transaction count out of range");
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(out, error)))
        throw OutputExists(out.string() + " already exists; it is left as it is");
    TemporaryFile temporary(out);
    writeContents(temporary.path(), options);
    temporary.publishAs(out);
}

} // namespace yvo::demo
