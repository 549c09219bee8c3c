#include "speech.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

void describe(QWidget* widget, const QString& text) {
    if (widget->accessibleDescription() != text) {
        widget->setAccessibleDescription(text);
    }
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

// Orca 45.2 and later speak an announcement, which Qt sends from 6.8 on.
void announce(QWidget* window, const QString& news) {
    if (!news.isEmpty()) {
        QAccessibleAnnouncementEvent event(window, news);
        QAccessible::updateAccessibility(&event);
    }
}

#else

namespace {

// Orca 43 speaks no change of an object that lacks the focus, but speaks a
// new description of the one that has it. Qt before 6.8 tells assistive
// technology of a new description without its text (Qt 6.4 sends the object
// in its place, which Orca cannot say), so the news goes out as the focused
// widget's description in an event of our own, on Qt's own connection to
// the accessibility bus: the one a reader knows the widget by. Qt's
// description stays the widget's own, and the readers' copy of it is set
// back once the focus has gone, unsaid.
void sendDescription(QWidget* widget, const QString& text) {
    QDBusConnection bus(QStringLiteral("a11y")); // Qt's name for its connection
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (!bus.isConnected() || !accessible) {
        return;
    }
    const QString objects = QStringLiteral("/org/a11y/atspi/accessible/");
    QDBusMessage change = QDBusMessage::createSignal(
        objects + QString::number(QAccessible::uniqueId(accessible)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    QDBusArgument application;
    application.beginStructure();
    application << bus.baseService() << QDBusObjectPath(objects + QStringLiteral("root"));
    application.endStructure();
    change << QStringLiteral("accessible-description") << 0 << 0
           << QVariant::fromValue(QDBusVariant(text)) << QVariant::fromValue(application);
    bus.send(change);
}

// The widget whose description the readers hold as news, and that news.
QPointer<QWidget> carrier;
QString carried;

void takeBackOnceTheFocusHasGone(QWidget* old, QWidget*) {
    if (old && old == carrier) {
        // After Qt has told of the new focus, so that Orca no longer says it.
        QTimer::singleShot(0, old, [old] { sendDescription(old, old->accessibleDescription()); });
        carrier = nullptr;
    }
}

} // namespace

void announce(QWidget* window, const QString& news) {
    QWidget* focused = window->focusWidget();
    if (news.isEmpty() || !focused || !QAccessible::isActive()) {
        return;
    }
    static const bool watching =
        QObject::connect(qApp, &QApplication::focusChanged, takeBackOnceTheFocusHasGone);
    (void)watching;
    // Orca says a description that differs from the last it heard, and
    // never an empty one: the same news again goes out after an empty one.
    if (focused == carrier && news == carried) {
        sendDescription(focused, QString());
    }
    sendDescription(focused, news);
    carrier = focused;
    carried = news;
}

#endif

QString colourName(std::int32_t colour) {
    static const char* const names[] = {"blu", "verde", "azzurro", "rosso", "viola"};
    return QLatin1String(names[colour - firstPieceColour]);
}

QString pieceDescription(Piece piece) {
    static const char* const sideNames[] = {"alto", "destra", "basso", "sinistra"};
    QStringList parts;
    for (const Side side : allSides) {
        parts << QStringLiteral("%1 %2").arg(QLatin1String(sideNames[static_cast<int>(side)]),
                                             colourName(piece.colour(side)));
    }
    return parts.join(QStringLiteral(", "));
}

QString noPieceDescription() {
    return QStringLiteral("nessun rettangolo");
}

QString slotDescription(int slot, const std::optional<Piece>& held) {
    return QStringLiteral("casella %1: %2")
        .arg(QString::number(slot), held ? pieceDescription(*held) : QStringLiteral("vuota"));
}
