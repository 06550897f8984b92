#include "common/WidgetTestSupport.h"

#include "editors/EditorBase.h"

void closeAllEditors()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *e = qobject_cast<EditorBase *>(w)) {
            if (!e->isClosed())
                e->close();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
