// drawforms: draws the two paper-form pictures that the entry pages show behind their fields,
// the deposit slip 进账单 (resources/forms/jzd.jpg, 788 × 323) and the cheque 支票
// (resources/forms/zp.jpg, 800 × 269), around the field rectangles of formfields.h.
//
// Run by hand after changing a form, then commit the two JPEGs:
//   cmake --build <build> --target drawforms
//   <build>/tools/drawforms resources/forms
// Add "--overlay <folder>" to also write <name>-fields.png with the field rectangles drawn over
// each picture, for checking by eye. The tool checks by itself that no rule or caption runs
// through a field and exits with 1 when one does.

#include "formdrawings.h"
#include "formfields.h"
#include "formpainter.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Printed ink, not the paper or the faint background pattern. A one-pixel rule comes back from
// the JPEG as a dull pink (about 168, 104, 104), so the test is loose.
bool isInk(QRgb c)
{
    return (qRed(c) - qGreen(c) > 40 && qGreen(c) < 200) || qGray(c) < 160;
}

// Finds ink inside the fields: text fields must be clear inside (a pixel of margin is left for
// the rules they sit on); amount fields must be clear between the rules of their cells.
QStringList checkFields(const QImage &image, const FormSpec &form, const QList<QRectF> &captions)
{
    QStringList problems;
    const QRect picture(0, 0, form.width, form.height);
    for (const FormField &f : form.fields) {
        const QRect r = f.rect();
        if (!picture.contains(r))
            problems << u"%1 lies outside the picture"_s.arg(QLatin1StringView(f.name));
        if (f.kind == FieldKind::Button)
            continue;
        for (const QRectF &c : captions)
            if (QRectF(r).intersects(c))
                problems << u"%1 covers a caption at %2,%3"_s.arg(QLatin1StringView(f.name))
                                .arg(c.left())
                                .arg(c.top());
        const QRect inside = r.adjusted(2, 2, -2, -2);
        int ink = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                if (f.kind == FieldKind::Amount) {
                    // Column distance to the nearest cell rule, counted from the right edge.
                    const int fromRight = (f.rightEdge() - x) % f.cellWidth;
                    if (fromRight <= 1 || fromRight >= f.cellWidth - 1)
                        continue;
                }
                if (isInk(image.pixel(x, y)))
                    ++ink;
            }
        if (ink > 0)
            problems << u"%1 has %2 ink pixels inside"_s.arg(QLatin1StringView(f.name)).arg(ink);
    }
    return problems;
}

void writeOverlay(const QImage &picture, const FormSpec &form, const QString &folder)
{
    QImage overlay = picture.convertToFormat(QImage::Format_ARGB32)
                         .scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPainter p(&overlay);
    p.scale(2, 2);
    QFont small(FormPainter::songFamily());
    small.setPixelSize(6);
    p.setFont(small);
    for (const FormField &f : form.fields) {
        const QColor colour = f.kind == FieldKind::Button ? QColor(0, 160, 0) : QColor(0, 60, 230);
        p.fillRect(f.rect(), QColor(colour.red(), colour.green(), colour.blue(), 50));
        p.setPen(QPen(colour, 0.5));
        p.drawRect(QRectF(f.rect()).adjusted(0.25, 0.25, -0.25, -0.25));
        p.drawText(QPointF(f.left + 1, f.top + 6), QLatin1StringView(f.name));
        if (f.kind == FieldKind::Amount) {
            // A sample amount, one digit per cell from the right, the mark before it.
            const QString digits = u"￥12345678901"_s;
            QFont digitFont(FormPainter::songFamily());
            digitFont.setPixelSize(f.height - 3);
            p.setFont(digitFont);
            p.setPen(QColor(0, 0, 160));
            for (int k = 0; k < digits.size(); ++k) {
                const QRectF cell(f.rightEdge() - (k + 1) * f.cellWidth, f.top, f.cellWidth,
                                  f.height);
                p.drawText(cell, Qt::AlignCenter, digits.mid(digits.size() - 1 - k, 1));
            }
            p.setFont(small);
        }
    }
    p.end();
    const QString name = QString::fromLatin1(form.file).section(u'.', 0, 0);
    overlay.save(QDir(folder).filePath(name + u"-fields.png"_s));
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() == 2 || args.size() > 3 ||
        (args.size() == 3 && args[1] != u"--overlay"_s)) {
        err << "usage: drawforms <output folder> [--overlay <folder>]\n";
        return 2;
    }
    if (!QFontDatabase::families().contains(FormPainter::songFamily())) {
        err << "drawforms: the font " << FormPainter::songFamily()
            << " is missing (Debian package fonts-arphic-uming)\n";
        return 1;
    }
    const QDir out(args[0]);
    if (!out.exists() && !QDir().mkpath(out.path())) {
        err << "drawforms: cannot create " << out.path() << "\n";
        return 1;
    }

    bool clean = true;
    for (const FormSpec *form : {&kDepositSlip, &kCheque}) {
        QImage image(form->width, form->height, QImage::Format_RGB32);
        QList<QRectF> captions;
        if (form == &kDepositSlip)
            drawDepositSlip(&image, *form, &captions);
        else
            drawCheque(&image, *form, &captions);

        const QString path = out.filePath(QString::fromLatin1(form->file));
        if (!image.save(path, "JPEG", 92)) {
            err << "drawforms: cannot write " << path << "\n";
            return 1;
        }
        // Check what the program will show: the picture as read back from the JPEG.
        const QImage written(path);
        const QStringList problems = checkFields(written, *form, captions);
        for (const QString &problem : problems)
            err << form->file << ": " << problem << "\n";
        clean = clean && problems.isEmpty() && written.size() == image.size();
        if (args.size() == 3)
            writeOverlay(written, *form, args[2]);
    }
    return clean ? 0 : 1;
}
