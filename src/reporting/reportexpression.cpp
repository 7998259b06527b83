#include "reportexpression.h"

#include "reportexpressioncontext.h"
#include "reportvalue.h"

#include <cmath>
#include <vector>

struct ReportExpression::Node
{
    enum class Kind { Literal, Field, Name, Negate, Not, Binary, Call, Aggregate };
    enum class Op { Add, Sub, Mul, Div, Mod, IntDiv, Concat, Eq, Ne, Lt, Gt, Le, Ge, And, Or };

    Kind kind = Kind::Literal;
    Op op = Op::Add;
    QVariant value;
    QString name;    // source, name, function
    QString field;   // field of a source; band of an aggregate
    std::vector<std::shared_ptr<const Node>> args;
};

namespace {

using Node = ReportExpression::Node;
using NodePtr = std::shared_ptr<const Node>;

struct Token {
    enum class Type { End, Number, String, QuotedName, Ident, Op };
    Type type = Type::End;
    QString text;
    double number = 0;
    int pos = 0;
};

class Lexer
{
public:
    explicit Lexer(const QString &s) : m_s(s) {}

    bool tokenize(std::vector<Token> *out, QString *error)
    {
        const int n = int(m_s.size());
        int i = 0;
        while (i < n) {
            const QChar c = m_s[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            Token t;
            t.pos = i;
            if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && m_s[i + 1].isDigit())) {
                int j = i;
                while (j < n && m_s[j].isDigit())
                    ++j;
                if (j < n && m_s[j] == QLatin1Char('.')) {
                    ++j;
                    while (j < n && m_s[j].isDigit())
                        ++j;
                }
                if (j < n && (m_s[j] == QLatin1Char('e') || m_s[j] == QLatin1Char('E'))) {
                    int k = j + 1;
                    if (k < n && (m_s[k] == QLatin1Char('+') || m_s[k] == QLatin1Char('-')))
                        ++k;
                    if (k < n && m_s[k].isDigit()) {
                        j = k;
                        while (j < n && m_s[j].isDigit())
                            ++j;
                    }
                }
                t.type = Token::Type::Number;
                t.text = m_s.mid(i, j - i);
                t.number = t.text.toDouble();
                i = j;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                const QChar quote = c;
                QString text;
                int j = i + 1;
                bool closed = false;
                while (j < n) {
                    if (m_s[j] == quote) {
                        if (j + 1 < n && m_s[j + 1] == quote) {
                            text += quote;
                            j += 2;
                            continue;
                        }
                        closed = true;
                        ++j;
                        break;
                    }
                    text += m_s[j++];
                }
                if (!closed) {
                    *error = QStringLiteral("引号未闭合（位置 %1）").arg(i + 1);
                    return false;
                }
                t.type = quote == QLatin1Char('\'') ? Token::Type::String : Token::Type::QuotedName;
                t.text = text;
                i = j;
            } else if (c.isLetter() || c == QLatin1Char('_')) {
                int j = i + 1;
                while (j < n && (m_s[j].isLetterOrNumber() || m_s[j] == QLatin1Char('_')))
                    ++j;
                if (j < n && m_s[j] == QLatin1Char('#'))
                    ++j;
                t.type = Token::Type::Ident;
                t.text = m_s.mid(i, j - i);
                i = j;
            } else {
                static const char *const twoChar[] = {"<=", ">=", "<>"};
                t.type = Token::Type::Op;
                t.text = c;
                for (const char *op : twoChar) {
                    if (m_s.mid(i, 2) == QLatin1String(op)) {
                        t.text = QLatin1String(op);
                        break;
                    }
                }
                if (!QStringLiteral("+-*/(),.<>=&").contains(c)) {
                    *error = QStringLiteral("无法识别的字符 \"%1\"（位置 %2）").arg(c).arg(i + 1);
                    return false;
                }
                i += int(t.text.size());
            }
            out->push_back(t);
        }
        Token end;
        end.pos = n;
        out->push_back(end);
        return true;
    }

private:
    const QString &m_s;
};

bool isAggregateName(const QString &upper)
{
    return upper == QLatin1String("SUM") || upper == QLatin1String("COUNT") || upper == QLatin1String("AVG")
           || upper == QLatin1String("MIN") || upper == QLatin1String("MAX");
}

class Parser
{
public:
    explicit Parser(std::vector<Token> tokens) : m_t(std::move(tokens)) {}

    NodePtr parseAll(QString *error)
    {
        NodePtr n = parseOr();
        if (n && peek().type != Token::Type::End)
            fail(QStringLiteral("多余的内容 \"%1\"").arg(peek().text));
        if (!m_error.isEmpty()) {
            *error = m_error;
            return nullptr;
        }
        return n;
    }

private:
    const Token &peek(int ahead = 0) const { return m_t[std::min<size_t>(m_pos + ahead, m_t.size() - 1)]; }
    Token take() { return m_t[std::min<size_t>(m_pos++, m_t.size() - 1)]; }
    bool isOp(const char *op, int ahead = 0) const
    {
        return peek(ahead).type == Token::Type::Op && peek(ahead).text == QLatin1String(op);
    }
    bool isWord(const char *word) const
    {
        return peek().type == Token::Type::Ident && peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    NodePtr fail(const QString &what)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1（位置 %2）").arg(what).arg(peek().pos + 1);
        return nullptr;
    }
    bool expectOp(const char *op)
    {
        if (!isOp(op)) {
            fail(QStringLiteral("缺少 \"%1\"").arg(QLatin1String(op)));
            return false;
        }
        take();
        return true;
    }

    static NodePtr binary(Node::Op op, NodePtr a, NodePtr b)
    {
        auto n = std::make_shared<Node>();
        n->kind = Node::Kind::Binary;
        n->op = op;
        n->args = {std::move(a), std::move(b)};
        return n;
    }

    NodePtr parseOr()
    {
        NodePtr left = parseAnd();
        while (left && isWord("or")) {
            take();
            NodePtr right = parseAnd();
            if (!right)
                return nullptr;
            left = binary(Node::Op::Or, left, right);
        }
        return left;
    }

    NodePtr parseAnd()
    {
        NodePtr left = parseNot();
        while (left && isWord("and")) {
            take();
            NodePtr right = parseNot();
            if (!right)
                return nullptr;
            left = binary(Node::Op::And, left, right);
        }
        return left;
    }

    NodePtr parseNot()
    {
        if (isWord("not")) {
            take();
            NodePtr inner = parseNot();
            if (!inner)
                return nullptr;
            auto n = std::make_shared<Node>();
            n->kind = Node::Kind::Not;
            n->args = {inner};
            return n;
        }
        return parseCompare();
    }

    NodePtr parseCompare()
    {
        NodePtr left = parseAdd();
        if (!left)
            return nullptr;
        static const std::pair<const char *, Node::Op> ops[] = {{"=", Node::Op::Eq},  {"<>", Node::Op::Ne}, {"<=", Node::Op::Le},
                                                                {">=", Node::Op::Ge}, {"<", Node::Op::Lt},  {">", Node::Op::Gt}};
        for (const auto &op : ops) {
            if (isOp(op.first)) {
                take();
                NodePtr right = parseAdd();
                if (!right)
                    return nullptr;
                return binary(op.second, left, right);
            }
        }
        return left;
    }

    NodePtr parseAdd()
    {
        NodePtr left = parseMul();
        while (left) {
            Node::Op op;
            if (isOp("+"))
                op = Node::Op::Add;
            else if (isOp("-"))
                op = Node::Op::Sub;
            else if (isOp("&"))
                op = Node::Op::Concat;
            else
                break;
            take();
            NodePtr right = parseMul();
            if (!right)
                return nullptr;
            left = binary(op, left, right);
        }
        return left;
    }

    NodePtr parseMul()
    {
        NodePtr left = parseUnary();
        while (left) {
            Node::Op op;
            if (isOp("*"))
                op = Node::Op::Mul;
            else if (isOp("/"))
                op = Node::Op::Div;
            else if (isWord("mod"))
                op = Node::Op::Mod;
            else if (isWord("div"))
                op = Node::Op::IntDiv;
            else
                break;
            take();
            NodePtr right = parseUnary();
            if (!right)
                return nullptr;
            left = binary(op, left, right);
        }
        return left;
    }

    NodePtr parseUnary()
    {
        if (isOp("-") || isOp("+")) {
            const bool negate = take().text == QLatin1String("-");
            NodePtr inner = parseUnary();
            if (!inner || !negate)
                return inner;
            auto n = std::make_shared<Node>();
            n->kind = Node::Kind::Negate;
            n->args = {inner};
            return n;
        }
        return parsePrimary();
    }

    // A name or a field reference: Name, source."Field", source.Field.
    NodePtr parseReference()
    {
        if (peek().type != Token::Type::Ident)
            return fail(QStringLiteral("应为名称"));
        const Token name = take();
        auto n = std::make_shared<Node>();
        if (isOp(".")) {
            take();
            if (peek().type != Token::Type::QuotedName && peek().type != Token::Type::Ident)
                return fail(QStringLiteral("\"%1.\" 之后应为字段名").arg(name.text));
            n->kind = Node::Kind::Field;
            n->name = name.text;
            n->field = take().text;
            return n;
        }
        n->kind = Node::Kind::Name;
        n->name = name.text;
        return n;
    }

    NodePtr parsePrimary()
    {
        const Token &t = peek();
        switch (t.type) {
        case Token::Type::Number: {
            auto n = std::make_shared<Node>();
            const double d = take().number;
            n->value = (d == std::floor(d) && std::abs(d) < 1e15) ? QVariant(qlonglong(d)) : QVariant(d);
            return n;
        }
        case Token::Type::String:
        case Token::Type::QuotedName: {
            auto n = std::make_shared<Node>();
            n->value = take().text;
            return n;
        }
        case Token::Type::Op:
            if (isOp("(")) {
                take();
                NodePtr inner = parseOr();
                if (!inner || !expectOp(")"))
                    return nullptr;
                return inner;
            }
            if (isOp("<")) {
                take();
                NodePtr ref = parseReference();
                if (!ref || !expectOp(">"))
                    return nullptr;
                return ref;
            }
            return fail(QStringLiteral("意外的 \"%1\"").arg(t.text));
        case Token::Type::Ident: {
            if (isWord("true") || isWord("false")) {
                auto n = std::make_shared<Node>();
                n->value = take().text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
                return n;
            }
            if (isOp("(", 1))
                return parseCall();
            return parseReference();
        }
        case Token::Type::End:
            return fail(QStringLiteral("表达式不完整"));
        }
        return fail(QStringLiteral("语法错误"));
    }

    NodePtr parseCall()
    {
        const QString name = take().text;
        take(); // (
        std::vector<NodePtr> args;
        if (!isOp(")")) {
            for (;;) {
                NodePtr a = parseOr();
                if (!a)
                    return nullptr;
                args.push_back(a);
                if (isOp(",")) {
                    take();
                    continue;
                }
                break;
            }
        }
        if (!expectOp(")"))
            return nullptr;
        auto n = std::make_shared<Node>();
        n->name = name;
        const QString upper = name.toUpper();
        if (isAggregateName(upper)) {
            n->kind = Node::Kind::Aggregate;
            n->name = upper;
            if (args.size() > 2)
                return fail(QStringLiteral("%1 最多有两个参数").arg(upper));
            if (args.empty() && upper != QLatin1String("COUNT"))
                return fail(QStringLiteral("%1 缺少参数").arg(upper));
            if (args.size() == 2) {
                const Node &band = *args[1];
                if (band.kind == Node::Kind::Name)
                    n->field = band.name;
                else if (band.kind == Node::Kind::Literal)
                    n->field = band.value.toString();
                else
                    return fail(QStringLiteral("%1 的第二个参数应为带区名").arg(upper));
                args.pop_back();
            }
        } else {
            n->kind = Node::Kind::Call;
        }
        n->args = std::move(args);
        return n;
    }

    std::vector<Token> m_t;
    size_t m_pos = 0;
    QString m_error;
};

QVariant arithmetic(Node::Op op, const QVariant &a, const QVariant &b)
{
    if (op == Node::Op::Concat)
        return ReportValue::toText(a) + ReportValue::toText(b);
    if (op == Node::Op::Add && (ReportValue::isText(a) || ReportValue::isText(b)))
        return ReportValue::toText(a) + ReportValue::toText(b);
    if (ReportValue::isNull(a) && ReportValue::isNull(b))
        return {};
    const double x = ReportValue::toNumber(a);
    const double y = ReportValue::toNumber(b);
    const bool integers = (ReportValue::isNumber(a) || ReportValue::isNull(a)) && (ReportValue::isNumber(b) || ReportValue::isNull(b))
                          && a.typeId() != QMetaType::Double && b.typeId() != QMetaType::Double;
    switch (op) {
    case Node::Op::Add: return integers ? QVariant(qlonglong(x + y)) : QVariant(x + y);
    case Node::Op::Sub: return integers ? QVariant(qlonglong(x - y)) : QVariant(x - y);
    case Node::Op::Mul: return integers ? QVariant(qlonglong(x * y)) : QVariant(x * y);
    case Node::Op::Div:
        if (y == 0)
            return {};
        return x / y;
    case Node::Op::Mod:
        if (qlonglong(y) == 0)
            return {};
        return qlonglong(x) % qlonglong(y);
    case Node::Op::IntDiv:
        if (qlonglong(y) == 0)
            return {};
        return qlonglong(x) / qlonglong(y);
    default:
        return {};
    }
}

QVariant eval(const Node &n, ReportExpressionContext &ctx);

QVariant evalBinary(const Node &n, ReportExpressionContext &ctx)
{
    if (n.op == Node::Op::And)
        return ReportValue::toBool(eval(*n.args[0], ctx)) && ReportValue::toBool(eval(*n.args[1], ctx));
    if (n.op == Node::Op::Or)
        return ReportValue::toBool(eval(*n.args[0], ctx)) || ReportValue::toBool(eval(*n.args[1], ctx));
    const QVariant a = eval(*n.args[0], ctx);
    const QVariant b = eval(*n.args[1], ctx);
    switch (n.op) {
    case Node::Op::Eq: return ReportValue::compare(a, b) == 0;
    case Node::Op::Ne: return ReportValue::compare(a, b) != 0;
    case Node::Op::Lt: return ReportValue::compare(a, b) < 0;
    case Node::Op::Gt: return ReportValue::compare(a, b) > 0;
    case Node::Op::Le: return ReportValue::compare(a, b) <= 0;
    case Node::Op::Ge: return ReportValue::compare(a, b) >= 0;
    default: return arithmetic(n.op, a, b);
    }
}

} // namespace

// Gives aggregates their argument as an expression of its own.
class ReportExpressionAccess
{
public:
    static ReportExpression wrap(const NodePtr &node) { return ReportExpression(node, QString()); }
};

namespace {
QVariant eval(const Node &n, ReportExpressionContext &ctx)
{
    switch (n.kind) {
    case Node::Kind::Literal: return n.value;
    case Node::Kind::Field: return ctx.fieldValue(n.name, n.field);
    case Node::Kind::Name: return ctx.nameValue(n.name);
    case Node::Kind::Negate: {
        const QVariant v = eval(*n.args[0], ctx);
        if (ReportValue::isNull(v))
            return {};
        if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
            return -v.toLongLong();
        return -ReportValue::toNumber(v);
    }
    case Node::Kind::Not: return !ReportValue::toBool(eval(*n.args[0], ctx));
    case Node::Kind::Binary: return evalBinary(n, ctx);
    case Node::Kind::Call: {
        QVariantList args;
        for (const NodePtr &a : n.args)
            args << eval(*a, ctx);
        return ctx.callFunction(n.name, args);
    }
    case Node::Kind::Aggregate:
        return ctx.aggregate(n.name, n.args.empty() ? ReportExpression() : ReportExpressionAccess::wrap(n.args[0]), n.field);
    }
    return {};
}
} // namespace

ReportExpression::ReportExpression(std::shared_ptr<const Node> root, const QString &text) : m_root(std::move(root)), m_text(text)
{
    if (m_root)
        collect(*m_root);
}

void ReportExpression::collect(const Node &n)
{
    if (n.kind == Node::Kind::Name)
        m_names.insert(n.name.toUpper());
    if (n.kind == Node::Kind::Field && m_firstSource.isEmpty())
        m_firstSource = n.name;
    if (n.kind == Node::Kind::Aggregate)
        m_hasAggregate = true;
    for (const NodePtr &a : n.args)
        collect(*a);
}

ReportExpression ReportExpression::parse(const QString &text, QString *error)
{
    QString err;
    std::vector<Token> tokens;
    if (text.trimmed().isEmpty()) {
        if (error)
            *error = QStringLiteral("表达式为空");
        return {};
    }
    if (!Lexer(text).tokenize(&tokens, &err)) {
        if (error)
            *error = err;
        return {};
    }
    NodePtr root = Parser(std::move(tokens)).parseAll(&err);
    if (!root) {
        if (error)
            *error = err;
        return {};
    }
    return ReportExpression(root, text);
}

QVariant ReportExpression::evaluate(ReportExpressionContext &ctx) const
{
    return m_root ? eval(*m_root, ctx) : QVariant();
}

QString ReportExpression::bareName() const
{
    return m_root && m_root->kind == Node::Kind::Name ? m_root->name : QString();
}
