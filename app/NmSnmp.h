#pragma once

class QCoreApplication;

// The maker's SNMP helper library as start-up sees it: initialised with the
// application object and given a 5000 ms time-out. Nothing in the program uses
// it afterwards, so the calls have no effect here; they stay so that start-up
// keeps its order.
namespace NmSnmp {

int SnmpInit(QCoreApplication* application);
int SetSnmpTimeout(int milliseconds);

} // namespace NmSnmp
