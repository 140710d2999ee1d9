#pragma once

#include <QDialog>
#include <QHash>
#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <QString>

#include "report.h"

class QComboBox;
class QDoubleSpinBox;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class DesignerItem;

// The template designer: a modal dialog (objectName "ReportDesigner") that shows a page of
// the report at screen scale with its text objects as frames. The user moves a frame with the
// mouse, sizes it by its bottom-right corner, edits its text and chooses its font, and saves
// the template back to its file.
//
// The designer shows the report it is given (filled with the record's texts) but saves a copy
// of the template read afresh from the file, to which it applies the same changes: the file
// receives what the user changed in the designer and nothing of the record. Everything else
// in the file stays byte for byte as it was.
//
// Positions and sizes are in 1/96 inch relative to the page's printable area, as in the file.
class ReportDesigner : public QDialog
{
    Q_OBJECT

public:
    // shown: the loaded (and filled) report; path: the template file it was loaded from.
    // Throws AppError when the file exists but cannot be read.
    ReportDesigner(Report &shown, const QString &path, QWidget *parent = nullptr);
    ~ReportDesigner() override;

    // The operations of the mouse, the side panel and the tests. Each returns false when the
    // report has no object of that name.
    bool moveObject(const QString &name, QPointF topLeft);
    bool resizeObject(const QString &name, QSizeF size);
    bool setObjectText(const QString &name, const QString &text);
    bool setObjectFont(const QString &name, const QFont &font);
    // Opens the font dialog on the object's font; false when cancelled or no such object.
    bool chooseFont(const QString &name);
    bool selectObject(const QString &name);
    QString selectedObject() const;

    // Writes the template to its file. Throws AppError when it cannot be written.
    void save();
    bool isModified() const { return m_modified; }
    QString path() const { return m_path; }

    QGraphicsView *view() const { return m_view; }
    DesignerItem *item(const QString &name) const;
    int currentPage() const { return m_page; }
    void showPage(int index);

public slots:
    void done(int result) override;

private:
    struct Pair
    {
        TextObject *shown = nullptr;
        TextObject *saved = nullptr; // the same object in the template copy, if there
    };
    Pair find(const QString &name) const;
    QPointF pageOrigin() const; // the printable area's corner on the scene
    void buildPanel();
    void refreshPanel();
    void markModified();

    Report &m_shown;
    Report m_template;
    QString m_path;
    int m_page = 0;
    bool m_modified = false;
    bool m_updating = false;

    QGraphicsScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    QComboBox *m_pageBox = nullptr;
    QComboBox *m_objectBox = nullptr;
    QPlainTextEdit *m_textEdit = nullptr;
    QPushButton *m_fontButton = nullptr;
    QLabel *m_fontLabel = nullptr;
    QDoubleSpinBox *m_left = nullptr;
    QDoubleSpinBox *m_top = nullptr;
    QDoubleSpinBox *m_width = nullptr;
    QDoubleSpinBox *m_height = nullptr;
    QPushButton *m_saveButton = nullptr;
    QHash<QString, DesignerItem *> m_items; // by lower-case name, the current page only
};
