#include "report.h"

#include <cmath>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "apperror.h"
#include "xmltree.h"

namespace {

constexpr char16_t kReportElement[] = u"TfrxReport";
constexpr char16_t kPageElement[] = u"TfrxReportPage";
constexpr char16_t kMemoElement[] = u"TfrxMemoView";

double numberAttribute(const XmlTree &tree, int element, QStringView name, double fallback)
{
    const auto value = tree.attribute(element, name);
    if (!value)
        return fallback;
    bool ok = false;
    const double parsed = value->trimmed().toDouble(&ok);
    return ok && std::isfinite(parsed) ? parsed : fallback;
}

} // namespace

Report::Report() : m_tree(std::make_unique<XmlTree>()) {}

Report::~Report() = default;

void Report::clear()
{
    m_pages.clear();
    m_objects.clear();
    m_tree->clear();
    m_fileName.clear();
}

bool Report::isEmpty() const
{
    return m_tree->isEmpty();
}

bool Report::load(const QString &path)
{
    clear();
    m_fileName = path;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法打开模板文件 %1：%2").arg(path, file.errorString()));
    loadBytes(file.readAll(), path);
    return true;
}

void Report::loadBytes(const QByteArray &bytes, const QString &fileName)
{
    clear();
    m_fileName = fileName;
    if (const auto error = m_tree->parse(bytes)) {
        m_tree->clear();
        throw AppError(QStringLiteral("模板文件 %1 的格式有错误：%2").arg(fileName, *error));
    }
    if (m_tree->element(m_tree->root()).name != kReportElement) {
        m_tree->clear();
        throw AppError(QStringLiteral("文件 %1 不是报表模板（缺少 TfrxReport）。").arg(fileName));
    }
    scan();
}

void Report::scan()
{
    const XmlTree &tree = *m_tree;
    for (int page : tree.descendants(tree.root())) {
        if (tree.element(page).name != kPageElement)
            continue;
        ReportPage rp;
        rp.name = tree.attribute(page, u"Name").value_or(QString());
        rp.paperWidthMm = numberAttribute(tree, page, u"PaperWidth", rp.paperWidthMm);
        rp.paperHeightMm = numberAttribute(tree, page, u"PaperHeight", rp.paperHeightMm);
        rp.leftMarginMm = numberAttribute(tree, page, u"LeftMargin", rp.leftMarginMm);
        rp.topMarginMm = numberAttribute(tree, page, u"TopMargin", rp.topMarginMm);
        rp.rightMarginMm = numberAttribute(tree, page, u"RightMargin", rp.rightMarginMm);
        rp.bottomMarginMm = numberAttribute(tree, page, u"BottomMargin", rp.bottomMarginMm);
        rp.landscape = tree.attribute(page, u"Orientation").value_or(QString()) == u"poLandscape";
        for (int memo : tree.descendants(page)) {
            if (tree.element(memo).name != kMemoElement)
                continue;
            // Objects inside a band (or any other container) count from the container.
            QPointF offset;
            for (int up = tree.element(memo).parent; up != page && up >= 0; up = tree.element(up).parent)
                offset += QPointF(numberAttribute(tree, up, u"Left", 0), numberAttribute(tree, up, u"Top", 0));
            m_objects.push_back(std::make_unique<TextObject>(m_tree.get(), memo, offset));
            rp.objects.append(m_objects.back().get());
        }
        m_pages.append(rp);
    }
}

QByteArray Report::toBytes() const
{
    if (m_tree->isEmpty())
        return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TfrxReport Version=\"4.0\">\r\n</TfrxReport>\r\n");
    return m_tree->toBytes();
}

void Report::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("无法保存模板文件 %1：%2").arg(path, file.errorString()));
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("无法保存模板文件 %1：%2").arg(path, file.errorString()));
}

TextObject *Report::findObject(const QString &name) const
{
    for (const auto &object : m_objects) {
        if (object->name().compare(name, Qt::CaseInsensitive) == 0)
            return object.get();
    }
    return nullptr;
}

bool Report::setText(const QString &name, const QString &text)
{
    TextObject *object = findObject(name);
    if (!object)
        return false;
    object->setText(text);
    return true;
}

QList<TextObject *> Report::objects() const
{
    QList<TextObject *> out;
    for (const auto &object : m_objects)
        out.append(object.get());
    return out;
}
