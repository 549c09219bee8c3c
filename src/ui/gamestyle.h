#pragma once

#include <QProxyStyle>

// The platform's own style, with the one standard picture the window needs
// drawn by us: the menu bar's "more commands" mark. The standard one is
// looked up in a way that loads every image plugin at start-up.
class GameStyle final : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override;
};
