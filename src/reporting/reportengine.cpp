#include "reportengine.h"

#include "reportbuiltins.h"
#include "reportexpression.h"
#include "reportexpressioncontext.h"
#include "reportfunctionregistry.h"
#include "reporttexttemplate.h"
#include "reportvalue.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <optional>

namespace {
constexpr double Eps = 1e-6;
constexpr int MaxFillRows = 10000;

// Rows printed so far, by scope, for the aggregates of footers.
struct RowLists {
    std::vector<int> masterAll;
    std::vector<int> detailAll;
    std::vector<int> detailOfMaster;
    std::vector<std::vector<int>> groupMaster;
    std::vector<std::vector<int>> groupDetail;
    std::vector<int> pageMaster;
    std::vector<int> pageDetail;
};

struct Slot {
    QString name;
    std::shared_ptr<const ReportDataSource> source;
    int row = -1;
    QHash<QString, int> fields;
};

struct EvalState {
    const ReportBand *band = nullptr;
    int group = -1;
    int page = 0;
    int line = 0;
    bool blank = false;
};
} // namespace

class ReportLayout : public ReportExpressionContext
{
public:
    explicit ReportLayout(const ReportEngine &engine) : m_engine(engine), m_tpl(engine.m_tpl) {}

    PreparedReport run();

    QVariant fieldValue(const QString &source, const QString &field) override;
    QVariant nameValue(const QString &name) override;
    QVariant callFunction(const QString &name, const QVariantList &args) override;
    QVariant aggregate(const QString &function, const ReportExpression &argument, const QString &band) override;

private:
    struct Deferred {
        int page;
        size_t item;
        int object;
        EvalState state;
        std::vector<int> rows;
        std::optional<RowLists> lists;
    };

    void warn(const QString &text);
    void compile();
    Slot *slot(const QString &name);
    int slotIndex(const QString &name) const;
    void setRow(int slotIdx, int row)
    {
        if (slotIdx >= 0)
            m_slots[slotIdx].row = row;
    }
    int fillCount(const ReportBand &band);
    QVariant evalExpression(const ReportExpression &e) { return e.evaluate(*this); }

    void beginPage();
    void endPage();
    void newPage()
    {
        endPage();
        beginPage();
    }
    bool pageHasBody() const { return m_y > m_bodyTop + Eps; }
    void ensureSpace(double height)
    {
        if (m_y + height > m_bottom + Eps && pageHasBody())
            newPage();
    }
    void place(const ReportBand &band, bool blank = false, int group = -1);
    void printBand(const ReportBand *band, int group = -1)
    {
        if (!band)
            return;
        ensureSpace(band->height);
        place(*band, false, group);
    }

    void runMaster();
    void runDetail();
    void openGroups(int from, int index);
    void closeGroups(int downTo);
    std::vector<int> detailRows();

    const ReportEngine &m_engine;
    const ReportTemplate &m_tpl;
    PreparedReport m_out;

    std::vector<Slot> m_slots;
    int m_masterSlot = -1;
    int m_detailSlot = -1;
    std::vector<int> m_bandBase;  // index of a band's first object in m_out.objects
    std::vector<ReportTextTemplate> m_texts;
    std::vector<bool> m_deferText;

    const ReportBand *m_title = nullptr;
    const ReportBand *m_pageHeader = nullptr;
    const ReportBand *m_columnHeader = nullptr;
    const ReportBand *m_master = nullptr;
    const ReportBand *m_detail = nullptr;
    const ReportBand *m_detailFooter = nullptr;
    const ReportBand *m_masterFooter = nullptr;
    const ReportBand *m_summary = nullptr;
    const ReportBand *m_pageFooter = nullptr;
    std::vector<const ReportBand *> m_groupHeaders;
    std::vector<const ReportBand *> m_groupFooters;  // parallel to m_groupHeaders (may be null)
    std::vector<ReportExpression> m_groupConditions;
    std::vector<QVariant> m_groupValues;
    bool m_groupsOpen = false;

    EvalState m_state;
    RowLists m_lists;
    int m_masterOnPage = 0;
    int m_detailOnPage = 0;
    double m_y = 0;
    double m_bodyTop = 0;
    double m_bottom = 0;
    int m_totalPages = 0;
    std::vector<std::pair<size_t, size_t>> m_footerItems;  // per page: page footer's item range
    std::vector<Deferred> m_deferred;
    QSet<QString> m_warned;
    QDateTime m_now;
};

void ReportLayout::warn(const QString &text)
{
    if (!m_warned.contains(text)) {
        m_warned.insert(text);
        m_out.warnings << text;
    }
}

int ReportLayout::slotIndex(const QString &name) const
{
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Slot *ReportLayout::slot(const QString &name)
{
    const int i = slotIndex(name);
    return i < 0 ? nullptr : &m_slots[i];
}

void ReportLayout::compile()
{
    for (const auto &s : m_engine.m_sources) {
        Slot slot;
        slot.name = s.first;
        slot.source = s.second;
        slot.row = s.second ? s.second->currentRow() : -1;
        m_slots.push_back(slot);
    }

    for (const ReportBand &band : m_tpl.bands) {
        m_bandBase.push_back(int(m_out.objects.size()));
        for (const ReportObject &o : band.objects) {
            m_out.objects.push_back(o);
            QImage image;
            if (o.kind == ReportObject::Kind::Picture) {
                if (!o.imageData.isEmpty())
                    image.loadFromData(o.imageData);
                else if (!o.imageFile.isEmpty())
                    image.load(QDir(m_engine.m_folder).absoluteFilePath(o.imageFile));
                if (image.isNull() && (!o.imageData.isEmpty() || !o.imageFile.isEmpty()))
                    warn(QStringLiteral("图片 %1 无法读取").arg(o.name));
            }
            m_out.images.push_back(image);
            ReportTextTemplate text;
            if (o.kind == ReportObject::Kind::Text) {
                text = ReportTextTemplate::compile(o.text, o.expressions);
                for (const QString &e : text.errors())
                    warn(QStringLiteral("%1：%2").arg(o.name, e));
            }
            m_deferText.push_back(text.usesName(QStringLiteral("TOTALPAGES#")));
            m_texts.push_back(std::move(text));
        }

        switch (band.type) {
        case ReportBand::Type::ReportTitle: if (!m_title) m_title = &band; break;
        case ReportBand::Type::PageHeader: if (!m_pageHeader) m_pageHeader = &band; break;
        case ReportBand::Type::ColumnHeader: if (!m_columnHeader) m_columnHeader = &band; break;
        case ReportBand::Type::MasterData: if (!m_master) m_master = &band; break;
        case ReportBand::Type::DetailData: if (!m_detail) m_detail = &band; break;
        case ReportBand::Type::DetailFooter: if (!m_detailFooter) m_detailFooter = &band; break;
        case ReportBand::Type::MasterFooter: if (!m_masterFooter) m_masterFooter = &band; break;
        case ReportBand::Type::ReportSummary: if (!m_summary) m_summary = &band; break;
        case ReportBand::Type::PageFooter: if (!m_pageFooter) m_pageFooter = &band; break;
        case ReportBand::Type::GroupHeader: m_groupHeaders.push_back(&band); break;
        case ReportBand::Type::GroupFooter: break;
        }
    }

    // Footers name their header; the others pair from the innermost group outwards.
    m_groupFooters.assign(m_groupHeaders.size(), nullptr);
    std::vector<const ReportBand *> unnamed;
    for (const ReportBand &band : m_tpl.bands) {
        if (band.type != ReportBand::Type::GroupFooter)
            continue;
        bool matched = false;
        for (size_t g = 0; g < m_groupHeaders.size() && !band.group.isEmpty(); ++g) {
            if (m_groupHeaders[g]->name.compare(band.group, Qt::CaseInsensitive) == 0 && !m_groupFooters[g]) {
                m_groupFooters[g] = &band;
                matched = true;
            }
        }
        if (!matched)
            unnamed.push_back(&band);
    }
    for (const ReportBand *band : unnamed) {
        for (int g = int(m_groupHeaders.size()) - 1; g >= 0; --g) {
            if (!m_groupFooters[g]) {
                m_groupFooters[g] = band;
                break;
            }
        }
    }
    for (const ReportBand *h : m_groupHeaders) {
        QString error;
        ReportExpression cond = ReportExpression::parse(h->condition, &error);
        if (!cond.isValid())
            warn(QStringLiteral("%1 的分组条件：%2").arg(h->name, error));
        m_groupConditions.push_back(cond);
    }
    m_groupValues.assign(m_groupHeaders.size(), QVariant());
    m_lists.groupMaster.assign(m_groupHeaders.size(), {});
    m_lists.groupDetail.assign(m_groupHeaders.size(), {});

    if (m_master) {
        m_masterSlot = slotIndex(m_master->dataSource);
        if (m_masterSlot < 0)
            warn(QStringLiteral("%1 的数据源 %2 未绑定").arg(m_master->name, m_master->dataSource));
    }
    if (m_detail) {
        m_detailSlot = slotIndex(m_detail->dataSource);
        if (m_detailSlot < 0)
            warn(QStringLiteral("%1 的数据源 %2 未绑定").arg(m_detail->name, m_detail->dataSource));
    }
}

int ReportLayout::fillCount(const ReportBand &band)
{
    QString text = band.fillRows.trimmed();
    if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
        text = text.mid(1, text.size() - 2);
    if (text.isEmpty())
        return 0;
    QString error;
    const ReportExpression e = ReportExpression::parse(text, &error);
    if (!e.isValid()) {
        warn(QStringLiteral("%1 的固定行数：%2").arg(band.name, error));
        return 0;
    }
    const EvalState saved = m_state;
    m_state.band = &band;
    const double n = ReportValue::toNumber(evalExpression(e));
    m_state = saved;
    return std::clamp(int(n), 0, MaxFillRows);
}

void ReportLayout::beginPage()
{
    m_out.pages.emplace_back();
    m_footerItems.emplace_back(0, 0);
    m_state.page = int(m_out.pages.size());
    const ReportPageSetup &p = m_tpl.page;
    m_y = p.marginTop;
    m_lists.pageMaster.clear();
    m_lists.pageDetail.clear();
    m_masterOnPage = 0;
    m_detailOnPage = 0;
    const bool first = m_state.page == 1;
    const double footer = m_pageFooter && (!first || m_pageFooter->printOnFirstPage) ? m_pageFooter->height : 0;
    m_bottom = p.pageSize().height() - p.marginBottom - footer;
    if (first && m_title)
        place(*m_title);
    if (m_pageHeader && (!first || m_pageHeader->printOnFirstPage))
        place(*m_pageHeader);
    if (m_columnHeader)
        place(*m_columnHeader);
    m_bodyTop = m_y;
}

void ReportLayout::endPage()
{
    const bool first = m_state.page == 1;
    if (m_pageFooter && (!first || m_pageFooter->printOnFirstPage)) {
        const size_t start = m_out.pages.back().items.size();
        m_y = m_tpl.page.pageSize().height() - m_tpl.page.marginBottom - m_pageFooter->height;
        place(*m_pageFooter);
        m_footerItems.back() = {start, m_out.pages.back().items.size()};
    }
}

void ReportLayout::place(const ReportBand &band, bool blank, int group)
{
    const EvalState saved = m_state;
    m_state.band = &band;
    m_state.group = group;
    m_state.blank = blank;
    const int bandIdx = int(&band - m_tpl.bands.data());
    const int base = m_bandBase[bandIdx];
    PreparedPage &page = m_out.pages.back();
    const double left = m_tpl.page.marginLeft;
    for (size_t i = 0; i < band.objects.size(); ++i) {
        const ReportObject &o = band.objects[i];
        const int objIdx = base + int(i);
        PreparedItem item;
        item.object = objIdx;
        item.rect = o.geometry.translated(left, m_y);
        if (o.kind == ReportObject::Kind::Text && !blank) {
            const ReportTextTemplate &text = m_texts[objIdx];
            item.text = text.evaluate(*this, o.format, o.hideZeros);
            if (m_deferText[objIdx]) {
                Deferred d;
                d.page = int(m_out.pages.size()) - 1;
                d.item = page.items.size();
                d.object = objIdx;
                d.state = m_state;
                for (const Slot &s : m_slots)
                    d.rows.push_back(s.row);
                if (text.hasAggregate())
                    d.lists = m_lists;
                m_deferred.push_back(std::move(d));
            }
        }
        page.items.push_back(std::move(item));
    }
    m_y += band.height;
    m_state = saved;
}

std::vector<int> ReportLayout::detailRows()
{
    std::vector<int> rows;
    if (m_detailSlot < 0)
        return rows;
    const Slot &d = m_slots[m_detailSlot];
    const int n = d.source ? d.source->rowCount() : 0;
    if (m_detail->range == ReportBand::Range::Current) {
        if (d.source && d.source->currentRow() >= 0)
            rows.push_back(d.source->currentRow());
        return rows;
    }
    const QString link = m_detail->link.trimmed();
    if (link.isEmpty() || m_masterSlot < 0) {
        rows.reserve(n);
        for (int r = 0; r < n; ++r)
            rows.push_back(r);
        return rows;
    }
    const int eq = int(link.indexOf(QLatin1Char('=')));
    const QString detailField = (eq < 0 ? link : link.left(eq)).trimmed();
    const QString masterField = (eq < 0 ? link : link.mid(eq + 1)).trimmed();
    const Slot &m = m_slots[m_masterSlot];
    const int df = d.source->fieldIndex(detailField);
    const int mf = m.source ? m.source->fieldIndex(masterField) : -1;
    if (df < 0 || mf < 0) {
        warn(QStringLiteral("%1 的关联字段 \"%2\" 不存在").arg(m_detail->name, link));
        return rows;
    }
    const QVariant key = m.source->value(m.row, mf);
    for (int r = 0; r < n; ++r)
        if (ReportValue::equals(d.source->value(r, df), key))
            rows.push_back(r);
    return rows;
}

void ReportLayout::runDetail()
{
    const std::vector<int> rows = detailRows();
    const int fill = fillCount(*m_detail);
    m_lists.detailOfMaster.clear();
    // Each master row's lines count from zero: a document shows N lines on each of its pages.
    m_detailOnPage = 0;
    int line = 0;
    for (int r : rows) {
        setRow(m_detailSlot, r);
        if (fill > 0 && m_detailOnPage >= fill)
            newPage();
        ensureSpace(m_detail->height);
        m_lists.detailAll.push_back(r);
        m_lists.detailOfMaster.push_back(r);
        if (m_groupsOpen)
            for (auto &g : m_lists.groupDetail)
                g.push_back(r);
        m_lists.pageDetail.push_back(r);
        m_state.line = ++line;
        place(*m_detail);
        ++m_detailOnPage;
    }
    if (fill > 0) {
        // Empty rows up to the fixed count, as far as the page holds them.
        while (m_detailOnPage < fill && m_y + m_detail->height <= m_bottom + Eps) {
            place(*m_detail, true);
            ++m_detailOnPage;
        }
    }
    printBand(m_detailFooter);
}

void ReportLayout::openGroups(int from, int index)
{
    for (int g = from; g < int(m_groupHeaders.size()); ++g) {
        m_groupValues[g] = evalExpression(m_groupConditions[g]);
        m_lists.groupMaster[g].clear();
        m_lists.groupDetail[g].clear();
        if (m_groupHeaders[g]->startNewPage && index > 0 && pageHasBody())
            newPage();
        printBand(m_groupHeaders[g], g);
    }
    m_groupsOpen = true;
}

void ReportLayout::closeGroups(int downTo)
{
    for (int g = int(m_groupHeaders.size()) - 1; g >= downTo; --g)
        printBand(m_groupFooters[g], g);
}

void ReportLayout::runMaster()
{
    std::vector<int> rows;
    if (m_masterSlot >= 0 && m_slots[m_masterSlot].source) {
        const ReportDataSource &src = *m_slots[m_masterSlot].source;
        if (m_master->range == ReportBand::Range::Current) {
            if (src.currentRow() >= 0)
                rows.push_back(src.currentRow());
        } else {
            rows.reserve(src.rowCount());
            for (int r = 0; r < src.rowCount(); ++r)
                rows.push_back(r);
        }
    }
    const int fill = fillCount(*m_master);
    int previous = -1;
    for (size_t idx = 0; idx < rows.size(); ++idx) {
        const int r = rows[idx];
        setRow(m_masterSlot, r);
        if (!m_groupHeaders.empty()) {
            int changed = -1;
            if (!m_groupsOpen) {
                changed = 0;
            } else {
                for (size_t g = 0; g < m_groupHeaders.size(); ++g) {
                    if (!ReportValue::equals(evalExpression(m_groupConditions[g]), m_groupValues[g])) {
                        changed = int(g);
                        break;
                    }
                }
            }
            if (changed >= 0) {
                if (m_groupsOpen) {
                    setRow(m_masterSlot, previous);
                    closeGroups(changed);
                    setRow(m_masterSlot, r);
                }
                openGroups(changed, int(idx));
            }
        }
        if (m_master->startNewPage && idx > 0 && pageHasBody())
            newPage();
        if (fill > 0 && m_masterOnPage >= fill)
            newPage();
        ensureSpace(m_master->height);
        m_lists.masterAll.push_back(r);
        for (auto &g : m_lists.groupMaster)
            g.push_back(r);
        m_lists.pageMaster.push_back(r);
        m_state.line = int(idx) + 1;
        place(*m_master);
        ++m_masterOnPage;
        if (m_detail)
            runDetail();
        previous = r;
    }
    if (fill > 0) {
        while (m_masterOnPage < fill && m_y + m_master->height <= m_bottom + Eps) {
            place(*m_master, true);
            ++m_masterOnPage;
        }
    }
    if (m_groupsOpen) {
        setRow(m_masterSlot, previous);
        closeGroups(0);
    }
    printBand(m_masterFooter);
}

PreparedReport ReportLayout::run()
{
    m_out.page = m_tpl.page;
    if (m_tpl.bands.empty())
        return std::move(m_out);
    m_now = m_engine.m_printTime.isValid() ? m_engine.m_printTime : QDateTime::currentDateTime();
    compile();

    beginPage();
    if (m_master)
        runMaster();
    else if (m_detail)
        runDetail();
    else
        printBand(m_masterFooter);
    printBand(m_summary);
    endPage();

    // TotalPages# is known only now: evaluate those texts again in the state they were met in.
    m_totalPages = int(m_out.pages.size());
    const RowLists finalLists = m_lists;
    for (const Deferred &d : m_deferred) {
        m_state = d.state;
        for (size_t i = 0; i < m_slots.size(); ++i)
            m_slots[i].row = d.rows[i];
        if (d.lists)
            m_lists = *d.lists;
        const ReportObject &o = m_out.objects[d.object];
        m_out.pages[d.page].items[d.item].text = m_texts[d.object].evaluate(*this, o.format, o.hideZeros);
    }
    m_lists = finalLists;

    if (m_pageFooter && !m_pageFooter->printOnLastPage) {
        const auto range = m_footerItems.back();
        auto &items = m_out.pages.back().items;
        if (range.second > range.first)
            items.erase(items.begin() + long(range.first), items.begin() + long(range.second));
    }
    return std::move(m_out);
}

QVariant ReportLayout::fieldValue(const QString &source, const QString &field)
{
    if (m_state.blank)
        return {};
    Slot *s = slot(source);
    if (!s || !s->source) {
        warn(QStringLiteral("数据源 %1 未绑定").arg(source));
        return {};
    }
    auto it = s->fields.constFind(field);
    int index;
    if (it == s->fields.constEnd()) {
        index = s->source->fieldIndex(field);
        s->fields.insert(field, index);
        if (index < 0)
            warn(QStringLiteral("数据源 %1 中没有字段 %2").arg(source, field));
    } else {
        index = it.value();
    }
    if (index < 0 || s->row < 0)
        return {};
    return s->source->value(s->row, index);
}

QVariant ReportLayout::nameValue(const QString &name)
{
    const QString upper = name.toUpper();
    if (upper == QLatin1String("PAGE#"))
        return m_state.page;
    if (upper == QLatin1String("TOTALPAGES#"))
        return m_totalPages;
    if (upper == QLatin1String("LINE#"))
        return m_state.line;
    if (upper == QLatin1String("DATE"))
        return m_now.date();
    if (upper == QLatin1String("TIME"))
        return m_now.time();
    if (upper == QLatin1String("NOW"))
        return m_now;
    if (m_engine.m_handler) {
        if (std::optional<QVariant> v = m_engine.m_handler(name))
            return *v;
    }
    if (const ReportVariable *v = m_tpl.variable(name))
        return v->value;
    warn(QStringLiteral("未知的变量 %1").arg(name));
    return {};
}

QVariant ReportLayout::callFunction(const QString &name, const QVariantList &args)
{
    QVariant result;
    QString error;
    if (ReportBuiltins::call(name, args, &result, &error)) {
        if (!error.isEmpty())
            warn(error);
        return result;
    }
    if (m_engine.m_functions) {
        if (const ReportFunctionRegistry::Entry *f = m_engine.m_functions->find(name))
            return f->function ? f->function(args) : QVariant();
    }
    warn(QStringLiteral("未知的函数 %1").arg(name));
    return {};
}

QVariant ReportLayout::aggregate(const QString &function, const ReportExpression &argument, const QString &bandName)
{
    if (m_state.blank)
        return {};
    // Which data band's rows: named, or the one whose source the argument reads.
    const ReportBand *target = nullptr;
    ReportExpression arg = argument;
    QString named = bandName;
    if (named.isEmpty() && arg.isValid() && !arg.bareName().isEmpty() && m_tpl.bandByName(arg.bareName())) {
        named = arg.bareName();  // COUNT(MasterData1)
        arg = ReportExpression();
    }
    if (!named.isEmpty()) {
        target = m_tpl.bandByName(named);
        if (!target || !target->isDataBand()) {
            warn(QStringLiteral("%1 的带区 %2 不是数据带区").arg(function, named));
            return {};
        }
    } else if (arg.isValid() && m_detail && arg.firstSource().compare(m_detail->dataSource, Qt::CaseInsensitive) == 0) {
        target = m_detail;
    } else if (arg.isValid() && m_master && arg.firstSource().compare(m_master->dataSource, Qt::CaseInsensitive) == 0) {
        target = m_master;
    } else if (m_state.band && (m_state.band->type == ReportBand::Type::DetailFooter || m_state.band->type == ReportBand::Type::DetailData)) {
        target = m_detail;
    } else {
        target = m_master ? m_master : m_detail;
    }
    if (!target)
        return {};
    const bool detail = target == m_detail;

    const std::vector<int> *rows = nullptr;
    const ReportBand::Type here = m_state.band ? m_state.band->type : ReportBand::Type::ReportSummary;
    switch (here) {
    case ReportBand::Type::DetailData:
    case ReportBand::Type::DetailFooter:
        rows = detail ? &m_lists.detailOfMaster : &m_lists.masterAll;
        break;
    case ReportBand::Type::GroupHeader:
    case ReportBand::Type::GroupFooter:
        if (m_state.group >= 0) {
            rows = detail ? &m_lists.groupDetail[m_state.group] : &m_lists.groupMaster[m_state.group];
            break;
        }
        [[fallthrough]];
    case ReportBand::Type::MasterData:
        if (here == ReportBand::Type::MasterData && detail) {
            rows = &m_lists.detailOfMaster;
            break;
        }
        [[fallthrough]];
    case ReportBand::Type::ReportTitle:
    case ReportBand::Type::MasterFooter:
    case ReportBand::Type::ReportSummary:
        rows = detail ? &m_lists.detailAll : &m_lists.masterAll;
        break;
    case ReportBand::Type::PageHeader:
    case ReportBand::Type::ColumnHeader:
    case ReportBand::Type::PageFooter:
        rows = detail ? &m_lists.pageDetail : &m_lists.pageMaster;
        break;
    }

    const int slotIdx = detail ? m_detailSlot : m_masterSlot;
    const QString fn = function.toUpper();
    if (!arg.isValid()) {
        if (fn == QLatin1String("COUNT"))
            return qlonglong(rows->size());
        return {};
    }
    const int savedRow = slotIdx >= 0 ? m_slots[slotIdx].row : -1;
    double sum = 0;
    qlonglong count = 0;
    QVariant best;
    for (int r : *rows) {
        setRow(slotIdx, r);
        const QVariant v = arg.evaluate(*this);
        if (ReportValue::isNull(v))
            continue;
        ++count;
        sum += ReportValue::toNumber(v);
        if ((fn == QLatin1String("MIN") && (ReportValue::isNull(best) || ReportValue::compare(v, best) < 0))
            || (fn == QLatin1String("MAX") && (ReportValue::isNull(best) || ReportValue::compare(v, best) > 0)))
            best = v;
    }
    setRow(slotIdx, savedRow);
    if (fn == QLatin1String("SUM"))
        return sum;
    if (fn == QLatin1String("COUNT"))
        return count;
    if (fn == QLatin1String("AVG"))
        return count ? QVariant(sum / double(count)) : QVariant();
    return best;
}

ReportEngine::ReportEngine(const ReportTemplate &tpl) : m_tpl(tpl) {}

ReportEngine::~ReportEngine() = default;

void ReportEngine::setDataSource(const QString &name, std::shared_ptr<const ReportDataSource> source)
{
    for (auto &s : m_sources) {
        if (s.first.compare(name, Qt::CaseInsensitive) == 0) {
            s.second = std::move(source);
            return;
        }
    }
    m_sources.append({name, std::move(source)});
}

PreparedReport ReportEngine::prepare() const
{
    ReportLayout layout(*this);
    return layout.run();
}
