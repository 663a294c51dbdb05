#include "sheeteval.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

#include <cmath>
#include <stdexcept>

namespace sheet {

namespace {

long double fv(long double r, long double n, long double pmt, long double pv, long double t)
{
    if (r == 0)
        return -(pv + pmt * n);
    const long double c = std::pow(1 + r, n);
    return -(pv * c + pmt * (1 + r * t) * (c - 1) / r);
}

long double pv(long double r, long double n, long double pmt, long double f, long double t)
{
    if (r == 0)
        return -(f + pmt * n);
    const long double c = std::pow(1 + r, n);
    return -(f + pmt * (1 + r * t) * (c - 1) / r) / c;
}

long double pmt(long double r, long double n, long double p, long double f, long double t)
{
    if (r == 0)
        return -(p + f) / n;
    const long double c = std::pow(1 + r, n);
    return -(p * c + f) * r / ((1 + r * t) * (c - 1));
}

long double nper(long double r, long double pm, long double p, long double f, long double t)
{
    if (r == 0)
        return -(p + f) / pm;
    const long double a = pm * (1 + r * t);
    return std::log((a - f * r) / (a + p * r)) / std::log(1 + r);
}

// The rate by bisection on the sign of the balance, between -99 % and 1000 %.
long double rate(long double n, long double pm, long double p, long double f, long double t)
{
    const auto g = [&](long double r) {
        return r == 0
                   ? p + pm * n + f
                   : p * std::pow(1 + r, n) + pm * (1 + r * t) * (std::pow(1 + r, n) - 1) / r + f;
    };
    long double lo = -0.99L, hi = 10;
    long double glo = g(lo);
    for (int i = 0; i < 400; ++i) {
        const long double mid = (lo + hi) / 2;
        const long double gm = g(mid);
        if ((gm < 0) == (glo < 0)) {
            lo = mid;
            glo = gm;
        } else {
            hi = mid;
        }
    }
    return (lo + hi) / 2;
}

} // namespace

QStringList splitLine(const QString &line)
{
    QStringList cells;
    QString cur;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cur += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cur += c;
            }
        } else if (c == '"' && cur.isEmpty()) {
            quoted = true;
        } else if (c == ';') {
            cells << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    cells << cur;
    return cells;
}

bool parseRef(const QString &ref, int &col, int &row)
{
    int i = 0;
    col = 0;
    row = 0;
    if (i < ref.size() && ref[i] == '$')
        ++i;
    const int c0 = i;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z')
        col = col * 26 + (ref[i++].unicode() - 'A' + 1);
    if (i == c0)
        return false;
    if (i < ref.size() && ref[i] == '$')
        ++i;
    const int r0 = i;
    while (i < ref.size() && ref[i].isDigit())
        row = row * 10 + (ref[i++].unicode() - '0');
    return i > r0 && i == ref.size();
}

Sheet::Sheet(const QByteArray &bytes)
{
    QStringDecoder dec("windows-1252");
    QString text = dec.decode(bytes);
    if (text.endsWith("\r\n"))
        text.chop(2);
    for (const QString &l : text.split("\r\n"))
        m_cells.push_back(splitLine(l));
}

QStringList Sheet::line(int row) const
{
    return row >= 1 && row <= lineCount() ? m_cells[row - 1] : QStringList();
}

QString Sheet::raw(const QString &ref) const
{
    int c, r;
    if (!parseRef(ref, c, r))
        return {};
    return line(r).value(c - 1);
}

void Sheet::set(const QString &ref, const QString &text)
{
    int c, r;
    ASSERT_TRUE(parseRef(ref, c, r));
    ASSERT_LE(r, lineCount());
    QStringList &l = m_cells[r - 1];
    while (l.size() < c)
        l << QString();
    l[c - 1] = text;
    m_cache.clear();
}

class Parser
{
public:
    Parser(Sheet &s, const QString &f) : m_s(s), m_f(f) {}

    Value parse()
    {
        const Value v = compare();
        if (m_i != m_f.size())
            throw std::runtime_error("trailing text in " + m_f.toStdString());
        return v;
    }

private:
    static long double num(const Value &v)
    {
        if (const auto *d = std::get_if<long double>(&v))
            return *d;
        const QString &s = std::get<QString>(v);
        if (s.isEmpty())
            return 0;
        bool ok = false;
        const double d = QString(s).replace(',', '.').toDouble(&ok);
        if (!ok)
            throw std::runtime_error("text in arithmetic: " + s.toStdString());
        return d;
    }

    QChar peek() const { return m_i < m_f.size() ? m_f[m_i] : QChar(); }
    bool eat(QChar c)
    {
        if (peek() != c)
            return false;
        ++m_i;
        return true;
    }
    void expect(QChar c)
    {
        if (!eat(c))
            throw std::runtime_error("expected " + QString(c).toStdString() + " in " +
                                     m_f.toStdString());
    }

    Value compare()
    {
        Value a = add();
        if (eat('=')) {
            const Value b = add();
            if (std::holds_alternative<QString>(a) && std::holds_alternative<QString>(b))
                return std::get<QString>(a) == std::get<QString>(b) ? 1.0L : 0.0L;
            return num(a) == num(b) ? 1.0L : 0.0L;
        }
        return a;
    }
    Value add()
    {
        long double v = 0;
        Value first = mul();
        if (peek() != '+' && peek() != '-')
            return first;
        v = num(first);
        while (peek() == '+' || peek() == '-') {
            const bool plus = m_f[m_i++] == '+';
            const long double b = num(mul());
            v = plus ? v + b : v - b;
        }
        return v;
    }
    Value mul()
    {
        Value first = unary();
        if (peek() != '*' && peek() != '/')
            return first;
        long double v = num(first);
        while (peek() == '*' || peek() == '/') {
            const bool times = m_f[m_i++] == '*';
            const long double b = num(unary());
            v = times ? v * b : v / b;
        }
        return v;
    }
    Value unary()
    {
        if (eat('-'))
            return -num(unary());
        if (eat('+'))
            return num(unary());
        return primary();
    }
    QString word()
    {
        const int s = m_i;
        while (m_i < m_f.size() && (m_f[m_i].isLetterOrNumber() || m_f[m_i] == '$'))
            ++m_i;
        return m_f.mid(s, m_i - s);
    }
    std::vector<Value> args()
    {
        std::vector<Value> a;
        expect('(');
        if (eat(')'))
            return a;
        do {
            a.push_back(compare());
        } while (eat(';'));
        expect(')');
        return a;
    }
    Value primary()
    {
        if (eat('(')) {
            const Value v = compare();
            expect(')');
            return v;
        }
        if (eat('"')) {
            QString s;
            while (m_i < m_f.size() && m_f[m_i] != '"')
                s += m_f[m_i++];
            expect('"');
            return s;
        }
        if (peek().isDigit()) {
            const int s = m_i;
            while (m_i < m_f.size() && (m_f[m_i].isDigit() || m_f[m_i] == ','))
                ++m_i;
            return QString(m_f.mid(s, m_i - s)).replace(',', '.').toDouble();
        }
        const QString w = word();
        if (w.isEmpty())
            throw std::runtime_error("unexpected text in " + m_f.toStdString());
        const QString fn = w.toUpper();
        if (fn == "SOMA") {
            expect('(');
            const QString from = word();
            expect(':');
            const QString to = word();
            expect(')');
            int c1, r1, c2, r2;
            if (!parseRef(from, c1, r1) || !parseRef(to, c2, r2))
                throw std::runtime_error("bad range in " + m_f.toStdString());
            long double sum = 0;
            for (int c = c1; c <= c2; ++c)
                for (int r = r1; r <= r2; ++r)
                    sum += num(m_s.cellValue(c, r));
            return sum;
        }
        if (fn == "SE") {
            const std::vector<Value> a = args();
            if (a.size() != 3)
                throw std::runtime_error("SE takes 3 arguments");
            return num(a[0]) != 0 ? a[1] : a[2];
        }
        if (fn == "PGTO" || fn == "TAXA" || fn == "VP" || fn == "VF" || fn == "NPER") {
            const std::vector<Value> a = args();
            if (a.size() != 5)
                throw std::runtime_error(fn.toStdString() + " takes 5 arguments here");
            long double x[5];
            for (int k = 0; k < 5; ++k)
                x[k] = num(a[k]);
            if (fn == "PGTO")
                return pmt(x[0], x[1], x[2], x[3], x[4]);
            if (fn == "VP")
                return pv(x[0], x[1], x[2], x[3], x[4]);
            if (fn == "VF")
                return fv(x[0], x[1], x[2], x[3], x[4]);
            if (fn == "NPER")
                return nper(x[0], x[1], x[2], x[3], x[4]);
            return rate(x[0], x[1], x[2], x[3], x[4]);
        }
        int c, r;
        if (!parseRef(w, c, r))
            throw std::runtime_error("unknown name " + w.toStdString());
        return m_s.cellValue(c, r);
    }

    Sheet &m_s;
    QString m_f;
    int m_i = 0;
};

Value Sheet::cellValue(int col, int row)
{
    const auto key = std::make_pair(col, row);
    if (auto it = m_cache.find(key); it != m_cache.end())
        return it->second;
    if (m_busy[key])
        throw std::runtime_error("circular reference");
    m_busy[key] = true;
    const QString text = line(row).value(col - 1);
    Value v = text;
    if (text.startsWith('=')) {
        v = Parser(*this, text.mid(1)).parse();
    } else if (!text.isEmpty()) {
        bool ok = false;
        const double d = QString(text).replace(',', '.').toDouble(&ok);
        if (ok && !text.contains('.'))
            v = static_cast<long double>(d);
    }
    m_busy[key] = false;
    m_cache[key] = v;
    return v;
}

Value Sheet::value(const QString &ref)
{
    int c, r;
    if (!parseRef(ref, c, r))
        throw std::runtime_error("bad reference");
    return cellValue(c, r);
}

long double Sheet::number(const QString &ref)
{
    const Value v = value(ref);
    if (const auto *d = std::get_if<long double>(&v))
        return *d;
    if (std::get<QString>(v).isEmpty())
        return 0;
    ADD_FAILURE() << ref.toStdString() << " holds text " << std::get<QString>(v).toStdString();
    return 0;
}

} // namespace sheet
