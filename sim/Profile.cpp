#include "sim/Profile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kxsim {

namespace {

void ReplaceAll(std::string& s, std::string_view from, std::string_view to)
{
    std::size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
}

// Quoted-text escaping for a value spliced into a quoted string.
std::string Escaped(std::string_view raw)
{
    std::string q = QuoteText(raw);
    return q.substr(1, q.size() - 2);
}

class Loader
{
public:
    Loader(const ProfileContext& ctx, Profile& out) : m_ctx(ctx), m_out(out) {}

    std::string run(std::string_view text)
    {
        std::size_t lineNo = 0;
        while (!text.empty()) {
            const auto nl = text.find('\n');
            std::string line(text.substr(0, nl));
            text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
            ++lineNo;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const auto first = line.find_first_not_of(" \t");
            if (first == std::string::npos || line[first] == '#')
                continue;
            line = line.substr(first);
            for (const auto& expanded : expand(line)) {
                std::string err = handle(expanded);
                if (!err.empty())
                    return "line " + std::to_string(lineNo) + ": " + err;
            }
        }
        if (m_scenario)
            return "scenario " + m_scenarioName + " has no end";
        return check();
    }

private:
    std::vector<std::string> expand(std::string line)
    {
        ReplaceAll(line, "$ports", std::to_string(m_ctx.ports));
        ReplaceAll(line, "$agent", FormatIp(m_ctx.agentIp));
        ReplaceAll(line, "$rcindex", FormatOid(NameIndex(m_ctx.readCommunity)));
        ReplaceAll(line, "$wcindex", FormatOid(NameIndex(m_ctx.writeCommunity)));
        ReplaceAll(line, "$rc", Escaped(m_ctx.readCommunity));
        ReplaceAll(line, "$wc", Escaped(m_ctx.writeCommunity));
        if (line.find("$p") == std::string::npos && line.find("$x") == std::string::npos)
            return {line};
        std::vector<std::string> out;
        for (int p = 1; p <= m_ctx.ports; ++p) {
            std::string l = line;
            ReplaceAll(l, "$p", std::to_string(p));
            ReplaceAll(l, "$x", HexOctets(std::string(1, static_cast<char>(p))));
            out.push_back(std::move(l));
        }
        return out;
    }

    std::optional<Oid> oid(const std::string& text)
    {
        std::string t = text;
        const auto dot = t.find('.');
        const std::string head = t.substr(0, dot);
        auto it = m_defines.find(head);
        if (it != m_defines.end())
            t = FormatOid(it->second) + (dot == std::string::npos ? std::string() : t.substr(dot));
        return ParseOid(t);
    }

    std::string handle(const std::string& line)
    {
        std::vector<std::string> w;
        if (!SplitWords(line, w))
            return "unterminated quote";
        const std::string& verb = w[0];
        if (m_scenario && verb == "end") {
            m_scenario = nullptr;
            return {};
        }
        if (verb == "define") {
            if (w.size() != 3)
                return "usage: define NAME OID";
            auto o = oid(w[2]);
            if (!o)
                return "bad OID " + w[2];
            m_defines[w[1]] = *o;
            return {};
        }
        if (verb == "serve") {
            if (w.size() != 2)
                return "usage: serve OID";
            auto o = oid(w[1]);
            if (!o)
                return "bad OID " + w[1];
            m_out.schema.roots.push_back(*o);
            return {};
        }
        if (verb == "command" || verb == "volatile") {
            for (std::size_t i = 1; i < w.size(); ++i) {
                auto o = oid(w[i]);
                if (!o)
                    return "bad OID " + w[i];
                if (verb == "command")
                    m_out.schema.commands.push_back(*o);
                else
                    m_out.schema.volatiles.insert(*o);
            }
            return {};
        }
        if (verb == "table")
            return table(w);
        if (verb == "column")
            return column(w);
        if (verb == "sim") {
            std::vector<std::string> rest(w.begin() + 1, w.end());
            if (rest.empty())
                return "empty sim line";
            // Validate now against a scratch world so errors carry a line number.
            World scratch(m_ctx.ports);
            std::string err = scratch.apply(rest);
            if (err.rfind("no port ", 0) == 0)
                return {}; // about a port this device does not have
            if (!err.empty())
                return err;
            (m_scenario ? m_scenario->world : m_out.world).push_back(std::move(rest));
            return {};
        }
        if (verb == "scenario") {
            if (w.size() != 2 || m_scenario)
                return "usage: scenario NAME ... end";
            m_scenarioName = w[1];
            m_scenario = &m_out.scenarios[w[1]];
            return {};
        }
        return object(w);
    }

    std::string table(const std::vector<std::string>& w)
    {
        if (w.size() < 2)
            return "usage: table ENTRY-OID key=value...";
        auto entry = oid(w[1]);
        if (!entry)
            return "bad OID " + w[1];
        TableDef t;
        t.entry = *entry;
        auto kv = KeyValues(w, 2);
        std::string idx = kv.count("index") ? kv["index"] : "int";
        std::string protect;
        for (const auto& [k, v] : kv) {
            if (k == "index") {
                continue;
            } else if (k == "status") {
                auto n = ParseInt(v, 0, 4294967295LL);
                if (!n)
                    return "bad status column " + v;
                t.statusColumn = static_cast<std::uint32_t>(*n);
            } else if (k == "max") {
                auto n = ParseInt(v, 0, 4294967295LL);
                if (!n)
                    return "bad row limit " + v;
                t.maxRows = static_cast<std::size_t>(*n);
            } else if (k == "protect") {
                protect = v;
            } else if (k == "persist") {
                if (v == "rows")
                    t.persist = TableDef::Persist::Rows;
                else if (v == "none")
                    t.persist = TableDef::Persist::None;
                else if (v != "objects")
                    return "persist must be objects, rows or none";
            } else {
                return "unknown table key " + k;
            }
        }
        while (!idx.empty()) {
            // Parts are separated by dots outside parentheses.
            std::size_t end = 0;
            int depth = 0;
            for (; end < idx.size(); ++end) {
                if (idx[end] == '(')
                    ++depth;
                else if (idx[end] == ')')
                    --depth;
                else if (idx[end] == '.' && depth == 0 &&
                         !(end + 1 < idx.size() && idx[end + 1] == '.') &&
                         !(end > 0 && idx[end - 1] == '.'))
                    break;
            }
            std::string part = idx.substr(0, end);
            idx = end < idx.size() ? idx.substr(end + 1) : std::string();
            IndexPart ip;
            std::string kind = part.substr(0, part.find('('));
            if (kind == "int")
                ip.kind = IndexPart::Int;
            else if (kind == "ip")
                ip.kind = IndexPart::Ip;
            else if (kind == "mac")
                ip.kind = IndexPart::Mac;
            else if (kind == "str") {
                ip.kind = IndexPart::Str;
                ip.lo = 0;
                ip.hi = 255;
            } else if (kind == "oid")
                ip.kind = IndexPart::OidLen;
            else
                return "unknown index part " + part;
            if (auto open = part.find('('); open != std::string::npos) {
                std::string spelled = "i";
                spelled += part.substr(open);
                auto syntax = ParseSyntax(spelled);
                if (!syntax || syntax->ranges.size() != 1)
                    return "bad index range " + part;
                ip.lo = syntax->ranges[0].lo;
                ip.hi = syntax->ranges[0].hi;
            }
            t.index.push_back(ip);
        }
        for (std::size_t start = 0; !protect.empty() && start <= protect.size();) {
            auto comma = protect.find(',', start);
            auto inst = ParseOid(protect.substr(start, comma - start));
            if (!inst)
                return "bad protected row " + protect;
            t.protectedRows.insert(*inst);
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        m_table = &m_out.schema.addTable(std::move(t));
        return {};
    }

    std::string column(const std::vector<std::string>& w)
    {
        if (!m_table)
            return "column outside a table";
        if (w.size() != 5)
            return "usage: column N TYPE ACCESS DEFAULT";
        ColumnDef c;
        auto number = ParseInt(w[1], 0, 4294967295LL);
        if (!number)
            return "bad column number " + w[1];
        c.number = static_cast<std::uint32_t>(*number);
        auto syntax = ParseSyntax(w[2]);
        auto access = ParseAccessCode(w[3]);
        if (!syntax || !access)
            return "bad type or access";
        c.syntax = m_out.schema.intern(*syntax);
        c.access = *access;
        c.defaultText = w[4];
        if (c.syntax->notation == Notation::Text && !(w[4].size() >= 2 && w[4][0] == '$'))
            c.defaultText = QuoteText(w[4]);
        if (!(c.defaultText.size() >= 2 && c.defaultText[0] == '$') &&
            !ParseValue(c.defaultText, c.syntax->notation, m_ctx.portListLen, m_ctx.ports))
            return "bad default " + w[4];
        m_table->columns[c.number] = c;
        return {};
    }

    std::string object(const std::vector<std::string>& w)
    {
        if (w.size() != 4)
            return "expected OID TYPE ACCESS VALUE";
        auto o = oid(w[0]);
        if (!o)
            return "bad OID " + w[0];
        ObjectLine line;
        line.oid = *o;
        std::string err = MakeEntry(line.oid, w[1], w[2], w[3], m_out.schema, m_ctx, line.entry);
        if (!err.empty())
            return err;
        (m_scenario ? m_scenario->objects : m_out.objects).push_back(std::move(line));
        return {};
    }

    // Every object under a served root, every table row dense.
    std::string check()
    {
        auto served = [&](const Oid& o) { return m_out.schema.serves(o); };
        std::map<Oid, Entry> all;
        for (const auto& l : m_out.objects)
            all[l.oid] = l.entry;
        for (const auto& [name, sc] : m_out.scenarios)
            for (const auto& l : sc.objects)
                if (!served(l.oid))
                    return "scenario " + name + ": " + FormatOid(l.oid) +
                           " is not under a served subtree";
        for (const auto& [o, e] : all)
            if (!served(o))
                return FormatOid(o) + " is not under a served subtree";
        for (const auto& t : m_out.schema.tables()) {
            if (t.columns.empty())
                return "table " + FormatOid(t.entry) + " has no columns";
            if (t.statusColumn && !t.column(*t.statusColumn))
                return "table " + FormatOid(t.entry) + " has no status column " +
                       std::to_string(*t.statusColumn);
            std::string err = denseCheck(t, all);
            if (!err.empty())
                return err;
        }
        if (all.empty())
            return "serves no objects";
        return {};
    }

    // Multi-column walks stay aligned only when every row has every column.
    static std::string denseCheck(const TableDef& t, const std::map<Oid, Entry>& all)
    {
        std::set<Oid> rows;
        for (auto it = all.lower_bound(t.entry); it != all.end() && IsPrefix(t.entry, it->first); ++it) {
            const Oid& o = it->first;
            if (o.size() <= t.entry.size() + 1)
                return FormatOid(o) + " has no row index";
            rows.insert(Tail(o, t.entry.size() + 1));
        }
        for (const auto& inst : rows)
            for (const auto& [n, c] : t.columns)
                if (!all.count(t.cell(n, inst)))
                    return "table " + FormatOid(t.entry) + " row " + FormatOid(inst) +
                           " lacks column " + std::to_string(n);
        return {};
    }

    const ProfileContext& m_ctx;
    Profile& m_out;
    std::map<std::string, Oid> m_defines;
    TableDef* m_table = nullptr;
    Scenario* m_scenario = nullptr;
    std::string m_scenarioName;
};

} // namespace

std::string MakeEntry(const Oid& oid, const std::string& typeText, const std::string& accessText,
                      const std::string& valueText, Schema& schema, const ProfileContext& ctx,
                      Entry& out)
{
    auto syntax = ParseSyntax(typeText);
    auto access = ParseAccessCode(accessText);
    if (!syntax)
        return "bad type " + typeText;
    if (!access)
        return "bad access " + accessText;
    const Syntax* interned = nullptr;
    if (const TableDef* t = schema.tableFor(oid); t && oid.size() > t->entry.size() + 1) {
        const ColumnDef* c = t->column(oid[t->entry.size()]);
        if (!c)
            return FormatOid(oid) + ": no such column in table " + FormatOid(t->entry);
        if (c->syntax->type() != syntax->type())
            return FormatOid(oid) + ": type differs from its column";
        if (!t->decodeIndex(Tail(oid, t->entry.size() + 1)))
            return FormatOid(oid) + ": index does not fit the table";
        // A bare type takes the column's constraint.
        interned =
            typeText.find('(') == std::string::npos && syntax->notation == c->syntax->notation
                ? c->syntax
                : schema.intern(*syntax);
        if (*access != c->access)
            return FormatOid(oid) + ": access differs from its column";
    } else {
        interned = schema.intern(*syntax);
    }
    std::optional<Value> v;
    if (syntax->notation == Notation::Text)
        v = Value::Octets(valueText);
    else
        v = ParseValue(valueText, syntax->notation, ctx.portListLen, ctx.ports);
    if (!v)
        return "bad value " + valueText + " for " + typeText;
    out.value = std::move(*v);
    out.syntax = interned;
    out.access = *access;
    return {};
}

std::string ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& out)
{
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    std::string err;
    struct stat st = {};
    if (::fstat(fd, &st) != 0)
        err = std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        err = "not a regular file";
    else if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        err = "larger than " + std::to_string(maxBytes) + " bytes";
    out.clear();
    char chunk[65536];
    while (err.empty()) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = std::strerror(errno);
        else if (n == 0)
            break;
        else if (out.size() + static_cast<std::size_t>(n) > maxBytes)
            err = "larger than " + std::to_string(maxBytes) + " bytes"; // it grew while read
        else
            out.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return err;
}

std::string LoadProfile(std::string_view text, const ProfileContext& ctx, Profile& out)
{
    Loader loader(ctx, out);
    return loader.run(text);
}

std::string ParseObjectLine(std::string_view line, Schema& schema, const ProfileContext& ctx,
                            ObjectLine& out)
{
    std::vector<std::string> w;
    if (!SplitWords(line, w))
        return "unterminated quote";
    if (w.size() != 4)
        return "expected OID TYPE ACCESS VALUE";
    auto o = ParseOid(w[0]);
    if (!o)
        return "bad OID " + w[0];
    out.oid = *o;
    return MakeEntry(out.oid, w[1], w[2], w[3], schema, ctx, out.entry);
}

std::string FormatObjectLine(const Oid& oid, const Entry& e)
{
    return FormatOid(oid) + " " + e.syntax->text() + " " + AccessCode(e.access) + " " +
           FormatValue(e.value, e.syntax->notation);
}

} // namespace kxsim
