#include "gamestyle.h"

#include "pictures.h"

QIcon GameStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                              const QWidget* widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton) {
        return pictureIcon("altri.png");
    }
    return QProxyStyle::standardIcon(which, option, widget);
}
