#include "app/NmSnmp.h"

namespace NmSnmp {

int SnmpInit(QCoreApplication*)
{
    return 0;
}

int SetSnmpTimeout(int)
{
    return 0;
}

} // namespace NmSnmp
