#include "storegen/DemoPictures.h"

#include "db/RowWriter.h"
#include "diagnostics/VantaError.h"
#include "storegen/DemoStore.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace vanta::storegen {

namespace {

struct Picture {
    qint32 item;
    const char *file;
    QRgb colour;
    enum Shape { Hammer, Shirt, Cap, Hose, Bottle } shape;
};

const Picture kPictures[] = {
    {demo::PlainItem, "claw-hammer.png", qRgb(120, 80, 40), Picture::Hammer},
    {demo::TrackedVariantItem, "logo-tshirt.png", qRgb(30, 30, 30), Picture::Shirt},
    {demo::UntrackedVariantItem, "baseball-cap.png", qRgb(20, 40, 110), Picture::Cap},
    {1020, "garden-hose.png", qRgb(40, 140, 60), Picture::Hose},
    {1011, "spring-water.png", qRgb(90, 160, 220), Picture::Bottle},
};

// A simple drawing of the item on white, 160 x 160: shapes only, so that no
// font (and no window system) is needed.
QImage draw(const Picture &p)
{
    QImage img(160, 160, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::black, 2));
    g.setBrush(QColor(p.colour));
    switch (p.shape) {
    case Picture::Hammer:
        g.drawRect(72, 50, 16, 95);
        g.setBrush(Qt::gray);
        g.drawRect(35, 25, 90, 30);
        break;
    case Picture::Shirt: {
        QPainterPath shirt;
        shirt.moveTo(50, 30);
        shirt.lineTo(20, 55);
        shirt.lineTo(38, 75);
        shirt.lineTo(48, 68);
        shirt.lineTo(48, 140);
        shirt.lineTo(112, 140);
        shirt.lineTo(112, 68);
        shirt.lineTo(122, 75);
        shirt.lineTo(140, 55);
        shirt.lineTo(110, 30);
        shirt.closeSubpath();
        g.drawPath(shirt);
        g.setBrush(Qt::white);
        g.drawEllipse(QPoint(80, 75), 14, 14);
        break;
    }
    case Picture::Cap:
        g.drawChord(30, 40, 100, 100, 0, 180 * 16);
        g.drawRect(80, 86, 60, 10);
        break;
    case Picture::Hose:
        g.setBrush(Qt::NoBrush);
        g.setPen(QPen(QColor(p.colour), 8));
        for (int r = 20; r <= 60; r += 14)
            g.drawEllipse(QPoint(80, 80), r, r);
        break;
    case Picture::Bottle:
        g.drawRoundedRect(45, 50, 70, 95, 12, 12);
        g.drawRect(68, 25, 24, 25);
        break;
    }
    return img;
}

void save(const QImage &img, const QString &path, const char *format)
{
    if (!img.save(path, format))
        throw VantaError(3044, QStringLiteral("Could not write the picture '%1'.").arg(path),
                         QStringLiteral("vanta-admin"));
}

} // namespace

void writeDemoPictureRows(const db::Database &db)
{
    db::RowWriter rows(db.connection(), QStringLiteral("Pictures"), {"Item index", "Picture"});
    for (const Picture &p : kPictures)
        rows.add({p.item, QString::fromLatin1(p.file)});
}

void writeDemoPictureFiles(const QString &dataFolder)
{
    const QString folder = QDir(dataFolder).filePath(QStringLiteral("Pictures"));
    if (!QDir().mkpath(folder))
        throw VantaError(3044, QStringLiteral("Could not create the folder '%1'.").arg(folder),
                         QStringLiteral("vanta-admin"));
    for (const Picture &p : kPictures)
        save(draw(p), QDir(folder).filePath(QString::fromLatin1(p.file)), "PNG");
    // The picture shown before an item with a picture of its own is chosen.
    QImage none(160, 160, QImage::Format_RGB32);
    none.fill(QColor(235, 235, 235));
    {
        QPainter g(&none);
        g.setPen(QPen(QColor(180, 180, 180), 6));
        g.drawRect(20, 20, 120, 120);
        g.drawLine(20, 20, 140, 140);
        g.drawLine(140, 20, 20, 140);
    }
    save(none, QDir(folder).filePath(QStringLiteral("nopic.jpg")), "JPG");
}

} // namespace vanta::storegen
