#include "documentpage.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

DocumentPage::DocumentPage(const Names &names, Queries *queries, QWidget *parent)
    : QWidget(parent), m_queries(queries)
{
    setObjectName(QString::fromUtf16(names.content));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_form = new QWidget(this);
    m_form->setObjectName(QString::fromUtf16(names.form));
    m_form->setFixedHeight(names.formHeight);
    m_picture = new QLabel(m_form);
    m_picture->setObjectName(QString::fromUtf16(names.picture));
    const QPixmap picture(QString::fromUtf16(names.picturePath));
    m_picture->setPixmap(picture);
    // Natural size from the panel's top-left corner, never stretched: positions over it are
    // converted to millimetres on paper.
    m_picture->setGeometry(0, 0, picture.width(), picture.height());
    m_picture->setScaledContents(false);
    layout->addWidget(m_form);

    m_bar = new QWidget(this);
    m_bar->setObjectName(QString::fromUtf16(names.bar));
    m_bar->setFixedHeight(25);
    layout->addWidget(m_bar);

    m_gridArea = new QWidget(this);
    auto *gridLayout = new QVBoxLayout(m_gridArea);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_gridArea, 1);
}

QFont DocumentPage::fieldFont()
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(13);
    return font;
}
