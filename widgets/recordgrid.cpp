#include "recordgrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "guard.h"
#include "recordset.h"

RecordGrid::RecordGrid(QWidget *parent)
    : QWidget(parent), m_view(new QTableView(this)), m_model(new RecordTableModel(this)),
      m_footer(new QWidget(this)), m_footerFont(font()),
      m_footerColor(palette().color(QPalette::ButtonText))
{
    m_view->setObjectName(QStringLiteral("view"));
    m_footer->setObjectName(QStringLiteral("footer"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);

    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->setFrameShape(QFrame::Box);
    m_view->verticalHeader()->hide();
    // A fixed row height keeps a list of any length cheap: nothing is measured per row.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_view->horizontalHeader()->setHighlightSections(false);

    m_footer->setAutoFillBackground(false);
    m_footer->setFixedHeight(QFontMetrics(m_footerFont).height() + 6);
    m_footer->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);

    // The footer cells sit under the columns: redraw whenever the columns move.
    auto redrawFooter = [this] { m_footer->update(); };
    QHeaderView *header = m_view->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, m_footer, redrawFooter);
    connect(header, &QHeaderView::sectionMoved, m_footer, redrawFooter);
    connect(header, &QHeaderView::geometriesChanged, m_footer, redrawFooter);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_footer, redrawFooter);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_following && current.isValid())
                    userMovedTo(current.row());
            });
}

RecordGrid::~RecordGrid()
{
    // The view's parts report their own removal; let them do so while the grid is whole.
    m_view->viewport()->removeEventFilter(this);
    delete m_view;
    m_view = nullptr;
}

void RecordGrid::bind(RecordSet *list, const QList<GridColumn> &columns)
{
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = list;
    m_model->bind(list, columns);
    QHeaderView *header = m_view->horizontalHeader();
    for (int i = 0; i < columns.size(); ++i)
        header->resizeSection(i, columns[i].width);
    m_cells = QList<FooterCell>(columns.size());
    m_sumTexts = QList<QString>(columns.size());
    if (m_list) {
        connect(m_list, &RecordSet::listReset, this, &RecordGrid::listChanged);
        connect(m_list, &RecordSet::rowChanged, this, &RecordGrid::listChanged);
        connect(m_list, &RecordSet::valuesChanged, this, &RecordGrid::currentValuesChanged);
        connect(m_list, &RecordSet::currentChanged, this, &RecordGrid::followList);
        connect(m_list, &RecordSet::listReset, this, &RecordGrid::followList);
    }
    listChanged();
    followList();
}

int RecordGrid::columnOf(const QString &name) const
{
    const QList<GridColumn> &columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

RecordGrid::FooterCell *RecordGrid::cell(int column)
{
    if (column < 0 || column >= m_cells.size())
        return nullptr;
    return &m_cells[column];
}

void RecordGrid::setFooterText(int column, const QString &text, Qt::Alignment alignment)
{
    if (FooterCell *c = cell(column)) {
        *c = {FooterCell::Kind::Text, text, alignment};
        m_footer->update();
    }
}

void RecordGrid::setFooterSum(int column, const QString &sumColumn, Qt::Alignment alignment)
{
    if (FooterCell *c = cell(column)) {
        *c = {FooterCell::Kind::Sum, sumColumn, alignment};
        listChanged();
    }
}

void RecordGrid::clearFooter(int column)
{
    if (FooterCell *c = cell(column)) {
        *c = {};
        m_footer->update();
    }
}

QString RecordGrid::footerText(int column) const
{
    if (column < 0 || column >= m_cells.size())
        return {};
    const FooterCell &c = m_cells[column];
    switch (c.kind) {
    case FooterCell::Kind::Text:
        return c.text;
    case FooterCell::Kind::Sum:
        updateSums();
        return m_sumTexts[column];
    case FooterCell::Kind::None:
        break;
    }
    return {};
}

Qt::Alignment RecordGrid::footerAlignment(int column) const
{
    if (column < 0 || column >= m_cells.size())
        return {};
    return m_cells[column].alignment;
}

void RecordGrid::setFooterFont(const QFont &font)
{
    m_footerFont = font;
    m_footer->setFixedHeight(QFontMetrics(m_footerFont).height() + 6);
    m_footer->update();
}

void RecordGrid::setFooterColor(const QColor &color)
{
    m_footerColor = color;
    m_footer->update();
}

void RecordGrid::listChanged()
{
    m_sumsDirty = true;
    m_seenRow = -1;
    m_footer->update();
}

void RecordGrid::currentValuesChanged()
{
    // Typing into a text column of a long list must not add the list up again: only a change
    // of a summed value of the current record does.
    const int row = m_list ? m_list->currentRow() : -1;
    QList<QVariant> values;
    for (const FooterCell &c : std::as_const(m_cells)) {
        if (c.kind == FooterCell::Kind::Sum)
            values.append(m_list ? m_list->valueAt(row, c.text) : QVariant());
    }
    bool same = row == m_seenRow && values.size() == m_seenValues.size();
    for (int i = 0; same && i < values.size(); ++i)
        same = values[i].isNull() == m_seenValues[i].isNull() && values[i] == m_seenValues[i];
    m_seenRow = row;
    m_seenValues = values;
    if (!same) {
        m_sumsDirty = true;
        m_footer->update();
    }
}

void RecordGrid::updateSums() const
{
    if (!m_sumsDirty)
        return;
    m_sumsDirty = false;
    const bool shown = m_list && m_list->isOpen() && !m_list->isEmpty();
    for (int i = 0; i < m_cells.size(); ++i) {
        const FooterCell &c = m_cells[i];
        m_sumTexts[i] = c.kind == FooterCell::Kind::Sum && shown
                            ? QString::number(m_list->sum(c.text) + 0.0, 'f', 2)
                            : QString();
    }
}

void RecordGrid::followList()
{
    const int row = m_list ? m_list->currentRow() : -1;
    QItemSelectionModel *selection = m_view->selectionModel();
    m_following = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selection->clear();
    } else {
        const int column = qMax(0, selection->currentIndex().column());
        const QModelIndex index = m_model->index(row, column);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect
                                              | QItemSelectionModel::Rows);
        m_view->scrollTo(index);
    }
    m_following = false;
}

void RecordGrid::userMovedTo(int row)
{
    if (!m_list)
        return;
    guarded(this, [&] { m_list->moveTo(row); });
    // A refused move (the changed record could not be posted) keeps the current record: put
    // the selection back once the view has finished handling the click.
    if (m_list->currentRow() != row)
        QMetaObject::invokeMethod(this, &RecordGrid::followList, Qt::QueuedConnection);
}

QRect RecordGrid::footerCellRect(int column) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    const QWidget *viewport = m_view->viewport();
    const int offset = viewport->mapTo(this, QPoint(0, 0)).x() - m_footer->x();
    return QRect(offset + header->sectionViewportPosition(column), 0, header->sectionSize(column),
                 m_footer->height());
}

void RecordGrid::paintFooter()
{
    QPainter painter(m_footer);
    painter.fillRect(m_footer->rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(m_footer->rect().adjusted(0, 0, -1, -1));

    const QWidget *viewport = m_view->viewport();
    const int left = viewport->mapTo(this, QPoint(0, 0)).x() - m_footer->x();
    painter.setClipRect(QRect(left, 0, viewport->width(), m_footer->height()));
    painter.setFont(m_footerFont);
    const QHeaderView *header = m_view->horizontalHeader();
    for (int i = 0; i < m_cells.size(); ++i) {
        if (header->isSectionHidden(i))
            continue;
        const QRect r = footerCellRect(i);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        const QString text = footerText(i);
        if (text.isEmpty())
            continue;
        painter.setPen(m_footerColor);
        painter.drawText(r.adjusted(3, 0, -3, 0), int(m_cells[i].alignment), text);
    }
}

bool RecordGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_footer && event->type() == QEvent::Paint) {
        paintFooter();
        return true;
    }
    if (m_view && watched == m_view->viewport() && event->type() == QEvent::Resize)
        m_footer->update();
    return QWidget::eventFilter(watched, event);
}
