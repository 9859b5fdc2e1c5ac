#pragma once

// Conversions between SNMP values and the texts the user reads and types: port
// bitmaps, port-set texts, per-port flags, hexadecimal octets, UTF-8 names, MAC
// and IPv4 addresses. No state: every port function takes the device's port
// count as an argument.
//
// Decoders take the value's octets with their length (QByteArrayView) and never
// look past them: a short or empty value reads as if the missing octets were 0.
// Refusals with a fixed text hand it back; the window shows it.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <vector>

namespace kx {

// One element per port, element p - 1 for port p: non-zero (1, or a caller's
// value) = member, 0 = not. A shorter array reads as 0 for the missing ports.
using PortFlags = std::vector<int>;

} // namespace kx

// --- reading a PortList ------------------------------------------------------------

// Members of the first ceil(N/8) octets as "1,2,5" (ascending, no blanks). `text`
// is replaced; the result is the member count.
int PortListToNumberText(QByteArrayView octets, QString& text, int portCount);

// Members within [firstPort, lastPort] as a PortRangeText such as "1-3,5,7-8",
// appended to `text`; the result is their count.
int PortListToRangeText(QByteArrayView octets, int firstPort, int lastPort, QString& text);
// The same for ports 1 ... N, the way every dialog shows a port list.
int PortListToRangeText(QByteArrayView octets, QString& text, int portCount);

// --- writing a PortList --------------------------------------------------------------

// One lowercase hexadecimal digit per four ports, first port in the digit's top
// bit, appended to `hex`. Any non-zero flag counts as a member.
void PortFlagsToHex(const kx::PortFlags& flags, QString& hex, int portCount);

// Appends the zeros that make the port hex of N ports a whole written PortList
// (8 digits up to 28 ports, 16 for 48 and 52). Returns 1.
int PadPortHex(QString& hex, int portCount);

// Hexadecimal text to octets, a trailing odd digit taken as "x0"; at most
// `bufferSize` octets are stored and further pairs dropped. `octets` is replaced.
// Returns 1, or 0 (and empty octets) when the text holds anything but hex digits.
int HexToOctets(const QString& hex, QByteArray& octets, qsizetype bufferSize);

// A PortRangeText such as "1-3,5" into `flags` (grown to N when shorter): every
// port named is set to 1. A port outside 1 ... N refuses with "Invalid Portlist" and
// gives 0, leaving the ports set before it; a range written high-low is skipped.
// Returns 1 when accepted.
int ParsePortRangeText(const QString& text, kx::PortFlags& flags, int portCount, QString* refusal = nullptr);

// A plain number list such as "1,2,5": each port within 1 ... N gets `value`,
// others are skipped. `flags` is grown to N when shorter.
void ParsePortNumberText(const QString& text, kx::PortFlags& flags, int value,
                         int portCount);

// --- input checks -------------------------------------------------------------------

// 0 when the text contains one of ~`!@#$%^&*{}[]|\:;"'<>,.?/ , else 1.
int CheckNameChars(const QString& text);

// 0 when the text contains one of ~`!@#$%^&*{}[]|\:;"'<>.?/ or an ASCII letter, else 1.
int CheckPortTextChars(const QString& text);

// A MAC typed as "00-00-00-00-00-01": 1 when valid, else 0 with the refusal's
// message in `refusal`.
int CheckMacText(const QString& text, bool multicastAllowed, QString* refusal = nullptr);

// "00-01-02-0A-FF-10" -> ".0.1.2.10.255.16", the instance of a MAC-indexed row.
QString MacToOidIndex(const QString& mac);

// 1 when the dotted text is a usable host address: four decimal numbers 0 ... 255,
// class A, B or C, not loopback, not a network or broadcast host part. No message.
int ClassifyHostIp(const QString& text);

// A UTF-8 name (up to its first NUL) as text of at most 255 UTF-16 units, invalid
// sequences as U+FFFD. Returns 0 with an empty text for an empty value, else 1.
int Utf8ToText(QByteArrayView octets, QString& text);

// The text as UTF-8 of whole sequences only, shorter than `bufferSize` (the room
// the device's buffer keeps for the terminating NUL). `utf8` is replaced. Returns 1.
int TextToUtf8(const QString& text, QByteArray& utf8, qsizetype bufferSize);

namespace kx {

// --- composites of the above and the display of address values ----------------------

// The octet count of a written PortList: 8 for more than 32 ports, else 4.
int PortListOctetCount(int portCount);

// Flags -> hex -> padding -> octets: the PortList to write for these flags.
QByteArray PortFlagsToPortList(const PortFlags& flags, int portCount);

// A PortList read from the device as N flags holding `value` for the members.
PortFlags PortListToFlags(QByteArrayView octets, int portCount, int value = 1);

// The octets as upper-case hexadecimal pairs separated by blanks: "00 1A FF".
QString OctetsToHexText(QByteArrayView octets);

// A 6-octet MAC as "00-1A-2B-3C-4D-5E". A shorter value is shown as received
// (OctetsToHexText); a longer one by its first six octets.
QString MacOctetsToText(QByteArrayView octets);

// A 4-octet IpAddress as "192.168.0.1"; a shorter value is shown as received
// (OctetsToHexText); a longer one by its first four octets.
QString IpOctetsToText(QByteArrayView octets);

} // namespace kx
