#include "res/resources.h"

#include <QtGlobal>

void initVellmarResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}
