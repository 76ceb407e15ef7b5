#include "ui/style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>

namespace quenbury::ui {

namespace {

// Asks the style for its icon the first time anything needs more than the icon's existence.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(m_style, m_which); }
    QString key() const override { return QStringLiteral("quenbury-deferred"); }

private:
    const QIcon& icon() {
        if (!m_loaded && m_style)
            m_icon = m_style->standardIcon(m_which);
        m_loaded = true;
        return m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_loaded = false;
};

// QMenuBar makes its overflow button, and so asks for this icon, as it is built. The icon comes from
// image files read through Qt's image plugins, which would load for it alone: a twentieth of the
// program's start-up, for a button that shows only when the menus do not fit the window.
class Style : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton && !option)
            return QIcon(new DeferredIconEngine(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void installStyle() {
    // By name, so that the user's choice (-style, QT_STYLE_OVERRIDE, the desktop's) stays the base.
    QApplication::setStyle(new Style(QApplication::style()->name()));
}

} // namespace quenbury::ui
