#include "menu_icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

// The icons are compiled into the static library; make sure their resource is registered.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace porvel {
namespace {

constexpr int kSize = 16;

QPixmap Blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Sheet(QPainter& p, const QColor& fill) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(fill);
    p.drawPolygon(QPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}}));
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
}

void Letters(QPainter& p, const QString& text, const QColor& color, const QRect& box) {
    QFont font = p.font();
    font.setPixelSize(box.height() >= 10 ? 9 : 7);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

QPixmap Draw(MenuIcon icon) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (icon) {
        case MenuIcon::New:
            Sheet(p, Qt::white);
            break;
        case MenuIcon::Open:
            p.setPen(QColor(120, 90, 20));
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(1, 5, 13, 9);
            p.drawRect(1, 3, 5, 2);
            break;
        case MenuIcon::Save:
            p.setPen(QColor(20, 40, 100));
            p.setBrush(QColor(60, 100, 190));
            p.drawRect(1, 1, 13, 13);
            p.setBrush(Qt::white);
            p.drawRect(4, 1, 7, 5);
            p.drawRect(3, 9, 9, 5);
            break;
        case MenuIcon::Export:
            p.setPen(QColor(20, 90, 40));
            p.setBrush(QColor(40, 150, 70));
            p.drawRect(1, 1, 13, 13);
            Letters(p, QStringLiteral("X"), Qt::white, QRect(1, 1, 14, 14));
            break;
        case MenuIcon::Print:
            p.setPen(QColor(50, 50, 50));
            p.setBrush(Qt::white);
            p.drawRect(4, 1, 8, 5);
            p.setBrush(QColor(170, 170, 170));
            p.drawRect(1, 6, 14, 6);
            p.setBrush(Qt::white);
            p.drawRect(4, 10, 8, 5);
            break;
        case MenuIcon::Exit:
            p.setPen(QPen(QColor(180, 30, 30), 2));
            p.drawLine(3, 3, 12, 12);
            p.drawLine(12, 3, 3, 12);
            break;
        case MenuIcon::Copy:
            p.setPen(QColor(60, 60, 60));
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 8, 10);
            p.drawRect(6, 4, 8, 10);
            break;
        case MenuIcon::Screenshot:
            p.setPen(QColor(30, 30, 30));
            p.setBrush(QColor(150, 200, 150));
            p.drawRect(1, 3, 13, 9);
            p.fillRect(3, 5, 5, 2, QColor(30, 30, 30));
            p.fillRect(3, 8, 9, 2, QColor(30, 30, 30));
            break;
        case MenuIcon::Russian:
            p.fillRect(1, 3, 14, 3, Qt::white);
            p.fillRect(1, 6, 14, 3, QColor(0, 57, 166));
            p.fillRect(1, 9, 14, 3, QColor(213, 43, 30));
            p.setPen(QColor(90, 90, 90));
            p.setBrush(Qt::NoBrush);
            p.drawRect(0, 2, 15, 10);
            break;
        case MenuIcon::English:
            p.fillRect(1, 3, 14, 9, QColor(1, 33, 105));
            p.setPen(QPen(Qt::white, 3));
            p.drawLine(8, 3, 8, 11);
            p.drawLine(1, 7, 14, 7);
            p.setPen(QPen(QColor(200, 16, 46), 1));
            p.drawLine(8, 3, 8, 11);
            p.drawLine(1, 7, 14, 7);
            break;
        case MenuIcon::TableW:
            p.setPen(QColor(60, 60, 60));
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 13, 13);
            Letters(p, QStringLiteral("W"), QColor(20, 60, 160), QRect(1, 1, 14, 14));
            break;
        case MenuIcon::Contents:
            p.setPen(QColor(30, 60, 140));
            p.setBrush(QColor(70, 120, 210));
            p.drawEllipse(1, 1, 13, 13);
            Letters(p, QStringLiteral("?"), Qt::white, QRect(1, 1, 14, 14));
            break;
        case MenuIcon::About:
            p.setPen(QColor(30, 100, 60));
            p.setBrush(QColor(60, 160, 100));
            p.drawEllipse(1, 1, 13, 13);
            Letters(p, QStringLiteral("i"), Qt::white, QRect(1, 1, 14, 14));
            break;
    }
    return pixmap;
}

}  // namespace

QIcon MenuIconOf(MenuIcon icon) {
    static const std::array<QIcon, 13> icons = [] {
        std::array<QIcon, 13> made;
        for (int i = 0; i < 13; ++i) made[i] = QIcon(Draw(static_cast<MenuIcon>(i)));
        return made;
    }();
    return icons[static_cast<std::size_t>(icon)];
}

QIcon ApplicationIcon() {
    RegisterIcons();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/porvel-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace porvel
