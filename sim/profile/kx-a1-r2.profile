# Device profile of the KX-A1 R2 (8 copper 10/100 ports with PoE).
#
# Every object the management module reads or writes, with its type, access and
# factory default. The format is described in sim/README.md; in short:
#
#   OID TYPE ACCESS VALUE        one object (ACCESS: R read-only, W read-write, C read-create)
#   table ENTRY key=value...     a table; the "column" lines after it give each column's
#   column N TYPE ACCESS DEFAULT  type, access and the default of a newly created row
#   sim ...                      the simulated world: cables, powered devices, neighbours
#   scenario NAME ... end        a named variation, applied with --scenario NAME
#
# Lines containing $p are repeated for every port p (1..--ports); $x is p as two hex
# digits. $ports, $agent, $rc and $wc are the port count, the agent's address and the
# read and write communities. In column defaults $1, $2, ... are the parts of the row's
# index.

define P     1.3.6.1.4.1.99999.10.75.13
define MIB2  1.3.6.1.2.1
define LLDP  1.0.8802.1.1.2

# Subtrees served, each its own registration with the agent.
serve MIB2.1
serve MIB2.2
serve MIB2.4
serve MIB2.6
serve MIB2.7
serve MIB2.17
serve LLDP.1
serve P

# Objects that trigger an action and always read back their resting value, and
# objects that are never part of the saved configuration.
command  P.1.9.0 P.1.10.0 P.3.3.0 P.3.7.0 P.14.10.4.1.5
volatile P.14.10.7.0

# ---------------------------------------------------------------- MIB-II system
MIB2.1.1.0 s R "KX-A1 R2 $ports-Port 10/100 PoE Managed Switch"
MIB2.1.2.0 o R 1.3.6.1.4.1.99999.10.75.13
MIB2.1.3.0 t R 0
MIB2.1.4.0 s(..127) W ""
MIB2.1.5.0 s(..127) W "KX-A1R2"
MIB2.1.6.0 s(..127) W ""

# ---------------------------------------------------------------- interfaces
table MIB2.2.2.1 index=int
column 1 i R $1
column 2 s R ""
column 3 i R 6
column 5 g R 100000000
column 7 i(1|2) W 1
column 8 i R 2
MIB2.2.2.1.1.$p i R $p
MIB2.2.2.1.2.$p s R "Port $p"
MIB2.2.2.1.3.$p i R 6
MIB2.2.2.1.5.$p g R 100000000
MIB2.2.2.1.7.$p i W 1
MIB2.2.2.1.8.$p i R 2
MIB2.2.2.1.1.1001 i R 1001
MIB2.2.2.1.2.1001 s R "System VLAN"
MIB2.2.2.1.3.1001 i R 53
MIB2.2.2.1.5.1001 g R 100000000
MIB2.2.2.1.7.1001 i W 1
MIB2.2.2.1.8.1001 i R 1

# ---------------------------------------------------------------- IP, TCP, UDP
table MIB2.4.20.1 index=ip
column 1 a R $1
column 2 i R 1001
column 3 a R 255.255.255.0
MIB2.4.20.1.1.$agent a R $agent
MIB2.4.20.1.2.$agent i R 1001
MIB2.4.20.1.3.$agent a R 255.255.255.0

table MIB2.6.13.1 index=ip.int.ip.int
column 1 i R 2
column 2 a R $1
column 3 i R $2
column 4 a R $3
column 5 i R $4
MIB2.6.13.1.1.0.0.0.0.23.0.0.0.0.0 i R 2
MIB2.6.13.1.2.0.0.0.0.23.0.0.0.0.0 a R 0.0.0.0
MIB2.6.13.1.3.0.0.0.0.23.0.0.0.0.0 i R 23
MIB2.6.13.1.4.0.0.0.0.23.0.0.0.0.0 a R 0.0.0.0
MIB2.6.13.1.5.0.0.0.0.23.0.0.0.0.0 i R 0
MIB2.6.13.1.1.0.0.0.0.80.0.0.0.0.0 i R 2
MIB2.6.13.1.2.0.0.0.0.80.0.0.0.0.0 a R 0.0.0.0
MIB2.6.13.1.3.0.0.0.0.80.0.0.0.0.0 i R 80
MIB2.6.13.1.4.0.0.0.0.80.0.0.0.0.0 a R 0.0.0.0
MIB2.6.13.1.5.0.0.0.0.80.0.0.0.0.0 i R 0
MIB2.6.13.1.1.$agent.23.10.0.0.100.51515 i R 5
MIB2.6.13.1.2.$agent.23.10.0.0.100.51515 a R $agent
MIB2.6.13.1.3.$agent.23.10.0.0.100.51515 i R 23
MIB2.6.13.1.4.$agent.23.10.0.0.100.51515 a R 10.0.0.100
MIB2.6.13.1.5.$agent.23.10.0.0.100.51515 i R 51515

table MIB2.7.5.1 index=ip.int
column 1 a R $1
column 2 i R $2
MIB2.7.5.1.1.0.0.0.0.69 a R 0.0.0.0
MIB2.7.5.1.2.0.0.0.0.69 i R 69
MIB2.7.5.1.1.0.0.0.0.161 a R 0.0.0.0
MIB2.7.5.1.2.0.0.0.0.161 i R 161

# ---------------------------------------------------------------- BRIDGE-MIB, Q-BRIDGE-MIB
MIB2.17.2.2.0 i(0..61440/4096) W 32768
MIB2.17.2.3.0 t R 0
MIB2.17.2.4.0 c R 1
MIB2.17.2.5.0 x R 80-00-00-1B-21-5A-00-01
MIB2.17.2.7.0 i R 0
MIB2.17.2.9.0 i R 200
MIB2.17.2.10.0 i R 100
MIB2.17.2.11.0 i R 1500
MIB2.17.2.12.0 i(600..4000) W 2000
MIB2.17.2.13.0 i(100..1000) W 200
MIB2.17.2.14.0 i(400..3000) W 1500

table MIB2.17.2.15.1 index=int
column 1 i R $1
column 2 i(0..240/16) W 128
column 3 i R 2
column 4 i(1|2) W 1
column 5 i R 200000
column 6 x R 80-00-00-1B-21-5A-00-01
column 7 i R 0
column 8 x R 80-00-00-1B-21-5A-00-01
column 9 x R 80-00
column 10 c R 0
MIB2.17.2.15.1.1.$p i R $p
MIB2.17.2.15.1.2.$p i W 128
MIB2.17.2.15.1.3.$p i R 2
MIB2.17.2.15.1.4.$p i W 1
MIB2.17.2.15.1.5.$p i R 200000
MIB2.17.2.15.1.6.$p x R 80-00-00-1B-21-5A-00-01
MIB2.17.2.15.1.7.$p i R 0
MIB2.17.2.15.1.8.$p x R 80-00-00-1B-21-5A-00-01
MIB2.17.2.15.1.9.$p x R 80-$x
MIB2.17.2.15.1.10.$p c R 0

MIB2.17.4.2.0 i(10..1000000) W 300

# Forwarding database: the rows follow the simulated world ("sim fdb" below).
table MIB2.17.7.1.2.2.1 index=int.mac persist=none
column 1 x(6) R $2
column 2 i R 0
column 3 i R 3

# ---------------------------------------------------------------- LLDP-MIB
LLDP.1.3.1.0 i R 4
LLDP.1.3.2.0 x R 00-1B-21-5A-00-01
LLDP.1.3.3.0 s R "KX-A1R2"
LLDP.1.3.4.0 s R "KX-A1 R2 $ports-Port 10/100 PoE Managed Switch"

# Remote systems: the rows follow the simulated neighbours and the LLDP state.
table LLDP.1.4.1.1 index=int.int.int persist=none
column 4 i R 4
column 5 x R ""
column 6 i R 5
column 7 s R ""
column 8 s R ""
column 9 s R ""
column 10 s R ""

# ---------------------------------------------------------------- system, ports
P.1.9.0 i(1) W 0
P.1.10.0 i(1) W 0

table P.1.13.1 index=int
column 2 i(1..7) W 6
column 3 i R 1
column 5 i(1|2) W 2
column 6 i R 2
column 7 i(1..4) R 1
P.1.13.1.2.$p i W 6
P.1.13.1.2.4 i W 7
P.1.13.1.3.$p i R 1
P.1.13.1.5.$p i W 2
P.1.13.1.6.$p i R 2
P.1.13.1.7.$p i R 1

P.1.15.1.0 i R 1

# ---------------------------------------------------------------- file transfer
P.3.1.0 a W 0.0.0.0
P.3.2.0 s(..64) W ""
P.3.3.0 i(1|2) W 0
P.3.4.0 i R 0
P.3.5.0 a W 0.0.0.0
P.3.6.0 s(..64) W ""
P.3.7.0 i(1|2) W 0
P.3.8.0 i R 0

# ---------------------------------------------------------------- spanning tree (private)
P.6.1.1.0 i(1|2) W 1
P.6.1.2.0 i(0|2) W 2

table P.6.2.1 index=int
column 2 i(0..240/16) W 128
column 4 i(1|2) W 1
column 5 i(0..200000000) W 0
column 14 i W 2
column 16 i W 2
column 17 i W 1
column 18 i W 2
P.6.2.1.2.$p i W 128
P.6.2.1.4.$p i W 1
P.6.2.1.5.$p i W 0
P.6.2.1.14.$p i W 2
P.6.2.1.16.$p i W 2
P.6.2.1.17.$p i W 1
P.6.2.1.18.$p i W 2

# ---------------------------------------------------------------- VLANs
P.7.2.0 i(1|2) W 2
P.7.3.0 i(1..4094) W 1
P.7.5.0 i(1|2) W 2

table P.7.6.1 index=int(1..4094) status=5 max=256 protect=1
column 1 s(..32c) C ""
column 2 pl C NONE
column 3 pl C NONE
column 4 pl C NONE
column 5 i C 1
P.7.6.1.1.1 s C "default"
P.7.6.1.2.1 pl C ALL
P.7.6.1.3.1 pl C NONE
P.7.6.1.4.1 pl C ALL
P.7.6.1.5.1 i C 1

table P.7.7.1 index=int
column 1 u(1..4094) W 1
P.7.7.1.1.$p u W 1

# ---------------------------------------------------------------- link aggregation
P.8.1.2.0 i(1|2) W 1

table P.8.1.3.1 index=int(1..8)
column 2 pl W NONE
column 3 i(1..3) W 3
P.8.1.3.1.2.1 pl W NONE
P.8.1.3.1.3.1 i W 3
P.8.1.3.1.2.2 pl W NONE
P.8.1.3.1.3.2 i W 3
P.8.1.3.1.2.3 pl W NONE
P.8.1.3.1.3.3 i W 3
P.8.1.3.1.2.4 pl W NONE
P.8.1.3.1.3.4 i W 3
P.8.1.3.1.2.5 pl W NONE
P.8.1.3.1.3.5 i W 3
P.8.1.3.1.2.6 pl W NONE
P.8.1.3.1.3.6 i W 3
P.8.1.3.1.2.7 pl W NONE
P.8.1.3.1.3.7 i W 3
P.8.1.3.1.2.8 pl W NONE
P.8.1.3.1.3.8 i W 3

# ---------------------------------------------------------------- learning, static FDB
P.9.2.0 pl W ALL

table P.9.3.1 index=int.mac
column 1 i R $1
column 2 x(6) R $2
column 3 i R 0

# ---------------------------------------------------------------- IGMP snooping
P.10.1.1.0 i(1|2) W 2
P.10.1.2.0 i(60..600) W 260
P.10.1.3.0 i(130..153025) W 260
P.10.1.4.0 i(2..255) W 2
P.10.1.5.0 i(1..25) W 1
P.10.1.6.0 i(60..600) W 125
P.10.1.7.0 i(10..25) W 10
P.10.1.8.0 i(1|2) W 2

# One row per static VLAN; the rows follow the VLAN table.
table P.10.3.4.1 index=int
column 1 i R $1
column 2 i(1|2) W 2
column 4 i(1|2) W 2
column 6 pl W NONE
column 8 i(1|2) W 2
P.10.3.4.1.1.1 i R 1
P.10.3.4.1.2.1 i W 2
P.10.3.4.1.4.1 i W 2
P.10.3.4.1.6.1 pl W NONE
P.10.3.4.1.8.1 i W 2

table P.10.3.5.1 index=int.ip
column 1 i R $1
column 2 x(4) R $2
column 3 x(6) R ""
column 4 pl R NONE
P.10.3.5.1.1.1.239.1.1.1 i R 1
P.10.3.5.1.2.1.239.1.1.1 x R EF-01-01-01
P.10.3.5.1.3.1.239.1.1.1 x R 01-00-5E-01-01-01
P.10.3.5.1.4.1.239.1.1.1 pl R C0000000

# ---------------------------------------------------------------- 802.1X
P.11.1.1.0 a W 0.0.0.0
P.11.1.2.0 s(..32) W ""
P.11.2.1.0 i(1|2) W 2
P.11.2.2.0 i(0..65535) W 60
P.11.2.3.0 i(1..65535) W 30
P.11.2.4.0 i(1..65535) W 30
P.11.2.5.0 i(1..65535) W 30
P.11.2.6.0 i(1..10) W 2
P.11.2.7.0 u(1..4294967295) W 3600
P.11.2.8.0 i(1|2) W 2

table P.11.2.9.1 index=int
column 2 i(1..3) W 3
column 3 i R 1
P.11.2.9.1.2.$p i W 3
P.11.2.9.1.3.$p i R 1

# ---------------------------------------------------------------- QoS, bandwidth, storm control
table P.12.3.1.1 index=int
column 2 i(1..4) W 1
P.12.3.1.1.2.$p i W 1

table P.13.1.2.1 index=int
column 1 i R $1
column 2 i(0..100000) W 0
column 3 i(0..100000) W 0
P.13.1.2.1.1.$p i R $p
P.13.1.2.1.2.$p i W 0
P.13.1.2.1.3.$p i W 0

P.13.3.1.0 i(1|2) W 2
P.13.3.2.0 i(1..3) W 1
P.13.3.3.0 i W 6300

# ---------------------------------------------------------------- security filters
table P.14.2.1.1 index=int
column 2 i R 2
P.14.2.1.1.2.$p i R 2

table P.14.3.1.1 index=ip status=4 max=64
column 1 a C $1
column 2 x(6) C 00-00-00-00-00-00
column 3 pl C NONE
column 4 i C 1

P.14.7.1.0 pl W NONE
table P.14.7.2.1 index=int(1..5) status=3 max=5
column 1 i C $1
column 2 a C 0.0.0.0
column 3 i C 1

P.14.9.1.0 i(1|2) W 2
table P.14.9.2.1 index=int
column 1 i R $1
column 2 pl W ALL
P.14.9.2.1.1.$p i R $p
P.14.9.2.1.2.$p pl W ALL

table P.14.10.1.1 index=int
column 1 i R $1
column 2 i(0|1) W 0
column 3 i(0|1) W 1
column 4 i(0|1) W 0
P.14.10.1.1.1.$p i R $p
P.14.10.1.1.2.$p i W 0
P.14.10.1.1.3.$p i W 1
P.14.10.1.1.4.$p i W 0

# Bindings: learnt by the switch or found by a scan; writing 1 to .5 binds.
table P.14.10.2.1 index=mac.int.ip persist=rows
column 1 x(6) R $1
column 2 i R $2
column 3 a R $3
column 4 i R 1
column 5 i(1|2) W 2
P.14.10.2.1.1.0.27.33.0.0.1.1.10.0.0.101 x R 00-1B-21-00-00-01
P.14.10.2.1.2.0.27.33.0.0.1.1.10.0.0.101 i R 1
P.14.10.2.1.3.0.27.33.0.0.1.1.10.0.0.101 a R 10.0.0.101
P.14.10.2.1.4.0.27.33.0.0.1.1.10.0.0.101 i R 1
P.14.10.2.1.5.0.27.33.0.0.1.1.10.0.0.101 i W 2
P.14.10.2.1.1.0.27.33.0.0.2.2.10.0.0.102 x R 00-1B-21-00-00-02
P.14.10.2.1.2.0.27.33.0.0.2.2.10.0.0.102 i R 2
P.14.10.2.1.3.0.27.33.0.0.2.2.10.0.0.102 a R 10.0.0.102
P.14.10.2.1.4.0.27.33.0.0.2.2.10.0.0.102 i R 1
P.14.10.2.1.5.0.27.33.0.0.2.2.10.0.0.102 i W 1

table P.14.10.3.1 index=ip.mac status=4
column 1 a C $1
column 2 x(6) C $2
column 3 i C 0
column 4 i C 1
P.14.10.3.1.1.10.0.0.102.0.27.33.0.0.2 a C 10.0.0.102
P.14.10.3.1.2.10.0.0.102.0.27.33.0.0.2 x C 00-1B-21-00-00-02
P.14.10.3.1.3.10.0.0.102.0.27.33.0.0.2 i C 2
P.14.10.3.1.4.10.0.0.102.0.27.33.0.0.2 i C 1

# Blocked hosts: writing 1 to the action column removes the host.
table P.14.10.4.1 index=mac.int.int persist=none
column 1 x(6) R $1
column 2 i R $2
column 3 i R $3
column 4 a R 0.0.0.0
column 5 i(1|2) W 2
P.14.10.4.1.1.0.102.119.136.153.170.1.3 x R 00-66-77-88-99-AA
P.14.10.4.1.2.0.102.119.136.153.170.1.3 i R 1
P.14.10.4.1.3.0.102.119.136.153.170.1.3 i R 3
P.14.10.4.1.4.0.102.119.136.153.170.1.3 a R 10.0.0.66
P.14.10.4.1.5.0.102.119.136.153.170.1.3 i W 2

P.14.10.5.0 a W 0.0.0.0
P.14.10.6.0 a W 0.0.0.0
P.14.10.7.0 i(1|2) W 2

# ---------------------------------------------------------------- ACL (read by the trunk rules)
table P.15.2.1.1 index=int
column 10 pl R NONE

# ---------------------------------------------------------------- syslog
P.16.1.1.0 a W 0.0.0.0
P.16.1.2.0 i(1..65535) W 514
P.16.1.4.0 i(4|6|7) W 6
P.16.1.5.0 i(128..184/8) W 128
P.16.1.6.0 i(1|2) W 2

# ---------------------------------------------------------------- loopback detection
table P.17.5.1 index=int
column 2 i(1|2) W 2
P.17.5.1.2.$p i W 2

# ---------------------------------------------------------------- port mirroring
P.18.1.0 i(1|2) W 2
P.18.2.0 i(1..$ports) W 1
P.18.3.0 pl W NONE
P.18.4.0 pl W NONE

# ---------------------------------------------------------------- voice VLAN
P.21.1.2.0 i(1|2) W 2
P.21.1.3.0 i(0..4094) W 0

table P.21.1.6.1 index=int
column 2 i R 2
P.21.1.6.1.2.$p i R 2

table P.21.2.1.1 index=mac
column 1 x(6) R $1
column 4 i R 1
P.21.2.1.1.1.0.224.187.0.0.0 x R 00-E0-BB-00-00-00
P.21.2.1.1.4.0.224.187.0.0.0 i R 1
P.21.2.1.1.1.0.3.107.0.0.0 x R 00-03-6B-00-00-00
P.21.2.1.1.4.0.3.107.0.0.0 i R 1
P.21.2.1.1.1.0.1.227.0.0.0 x R 00-01-E3-00-00-00
P.21.2.1.1.4.0.1.227.0.0.0 i R 2

# ---------------------------------------------------------------- PoE
table P.22.1.1 index=int(1..1).int
column 3 i(1|2) W 1
column 4 i(0..8) W 0
column 5 i(1..3) W 2
column 6 i(1..5) W 1
column 7 i(1|2) W 2
column 8 s(..8) W "15.4"
column 9 s R "0.0"
column 10 s R "0.0"
column 11 s R "0"
column 12 s R "N/A"
column 13 s R "POWER OFF"
P.22.1.1.3.1.$p i W 1
P.22.1.1.4.1.$p i W 0
P.22.1.1.5.1.$p i W 2
P.22.1.1.6.1.$p i W 1
P.22.1.1.7.1.$p i W 2
P.22.1.1.8.1.$p s W "15.4"
P.22.1.1.9.1.$p s R "0.0"
P.22.1.1.10.1.$p s R "0.0"
P.22.1.1.11.1.$p s R "0"
P.22.1.1.12.1.$p s R "N/A"
P.22.1.1.13.1.$p s R "POWER OFF"

P.22.2.0 s(..8) W "72.0"
P.22.3.0 i(1|2) W 1
P.22.4.0 s R "72.0"
P.22.5.0 s R "0.0"
P.22.6.0 s R "72.0"
P.22.7.0 s R "0"

# ---------------------------------------------------------------- LLDP (private)
P.24.1.0 i(1|2) W 1
P.24.2.0 i(2..10) W 4
P.24.3.0 i(5..32768) W 30
P.24.4.0 i(1..10) W 2
P.24.5.0 i(1..8192) W 2

# ---------------------------------------------------------------- SNMP agent administration
P.25.1.0 i(1|2) W 1

table P.25.2.1.1 index=str.int(1..3) status=8 max=50
column 1 s C $1
column 2 i C $2
column 3 s(..32) C ""
column 4 i(1..3) C 1
column 5 s(..40) C ""
column 6 i(1|2) C 1
column 7 s(..32) C ""
column 8 i C 1
P.25.2.1.1.1.8.82.101.97.100.79.110.108.121.1 s C "ReadOnly"
P.25.2.1.1.2.8.82.101.97.100.79.110.108.121.1 i C 1
P.25.2.1.1.3.8.82.101.97.100.79.110.108.121.1 s C "ReadOnly"
P.25.2.1.1.4.8.82.101.97.100.79.110.108.121.1 i C 1
P.25.2.1.1.5.8.82.101.97.100.79.110.108.121.1 s C ""
P.25.2.1.1.6.8.82.101.97.100.79.110.108.121.1 i C 1
P.25.2.1.1.7.8.82.101.97.100.79.110.108.121.1 s C ""
P.25.2.1.1.8.8.82.101.97.100.79.110.108.121.1 i C 1
P.25.2.1.1.1.8.82.101.97.100.79.110.108.121.2 s C "ReadOnly"
P.25.2.1.1.2.8.82.101.97.100.79.110.108.121.2 i C 2
P.25.2.1.1.3.8.82.101.97.100.79.110.108.121.2 s C "ReadOnly"
P.25.2.1.1.4.8.82.101.97.100.79.110.108.121.2 i C 1
P.25.2.1.1.5.8.82.101.97.100.79.110.108.121.2 s C ""
P.25.2.1.1.6.8.82.101.97.100.79.110.108.121.2 i C 1
P.25.2.1.1.7.8.82.101.97.100.79.110.108.121.2 s C ""
P.25.2.1.1.8.8.82.101.97.100.79.110.108.121.2 i C 1
P.25.2.1.1.1.9.82.101.97.100.87.114.105.116.101.1 s C "ReadWrite"
P.25.2.1.1.2.9.82.101.97.100.87.114.105.116.101.1 i C 1
P.25.2.1.1.3.9.82.101.97.100.87.114.105.116.101.1 s C "ReadWrite"
P.25.2.1.1.4.9.82.101.97.100.87.114.105.116.101.1 i C 1
P.25.2.1.1.5.9.82.101.97.100.87.114.105.116.101.1 s C ""
P.25.2.1.1.6.9.82.101.97.100.87.114.105.116.101.1 i C 1
P.25.2.1.1.7.9.82.101.97.100.87.114.105.116.101.1 s C ""
P.25.2.1.1.8.9.82.101.97.100.87.114.105.116.101.1 i C 1
P.25.2.1.1.1.9.82.101.97.100.87.114.105.116.101.2 s C "ReadWrite"
P.25.2.1.1.2.9.82.101.97.100.87.114.105.116.101.2 i C 2
P.25.2.1.1.3.9.82.101.97.100.87.114.105.116.101.2 s C "ReadWrite"
P.25.2.1.1.4.9.82.101.97.100.87.114.105.116.101.2 i C 1
P.25.2.1.1.5.9.82.101.97.100.87.114.105.116.101.2 s C ""
P.25.2.1.1.6.9.82.101.97.100.87.114.105.116.101.2 i C 1
P.25.2.1.1.7.9.82.101.97.100.87.114.105.116.101.2 s C ""
P.25.2.1.1.8.9.82.101.97.100.87.114.105.116.101.2 i C 1
P.25.2.1.1.1.7.105.110.105.116.105.97.108.3 s C "initial"
P.25.2.1.1.2.7.105.110.105.116.105.97.108.3 i C 3
P.25.2.1.1.3.7.105.110.105.116.105.97.108.3 s C "initial"
P.25.2.1.1.4.7.105.110.105.116.105.97.108.3 i C 1
P.25.2.1.1.5.7.105.110.105.116.105.97.108.3 s C ""
P.25.2.1.1.6.7.105.110.105.116.105.97.108.3 i C 1
P.25.2.1.1.7.7.105.110.105.116.105.97.108.3 s C ""
P.25.2.1.1.8.7.105.110.105.116.105.97.108.3 i C 1

table P.25.3.1.1 index=str.int(1..3).int(1..3) status=7 max=50
column 1 s C $1
column 2 i C $2
column 3 i C $3
column 4 s(..32) C ""
column 5 s(..32) C ""
column 6 s(..32) C ""
column 7 i C 1
P.25.3.1.1.1.8.82.101.97.100.79.110.108.121.1.1 s C "ReadOnly"
P.25.3.1.1.2.8.82.101.97.100.79.110.108.121.1.1 i C 1
P.25.3.1.1.3.8.82.101.97.100.79.110.108.121.1.1 i C 1
P.25.3.1.1.4.8.82.101.97.100.79.110.108.121.1.1 s C "CommunityView"
P.25.3.1.1.5.8.82.101.97.100.79.110.108.121.1.1 s C ""
P.25.3.1.1.6.8.82.101.97.100.79.110.108.121.1.1 s C "CommunityView"
P.25.3.1.1.7.8.82.101.97.100.79.110.108.121.1.1 i C 1
P.25.3.1.1.1.8.82.101.97.100.79.110.108.121.2.1 s C "ReadOnly"
P.25.3.1.1.2.8.82.101.97.100.79.110.108.121.2.1 i C 2
P.25.3.1.1.3.8.82.101.97.100.79.110.108.121.2.1 i C 1
P.25.3.1.1.4.8.82.101.97.100.79.110.108.121.2.1 s C "CommunityView"
P.25.3.1.1.5.8.82.101.97.100.79.110.108.121.2.1 s C ""
P.25.3.1.1.6.8.82.101.97.100.79.110.108.121.2.1 s C "CommunityView"
P.25.3.1.1.7.8.82.101.97.100.79.110.108.121.2.1 i C 1
P.25.3.1.1.1.9.82.101.97.100.87.114.105.116.101.1.1 s C "ReadWrite"
P.25.3.1.1.2.9.82.101.97.100.87.114.105.116.101.1.1 i C 1
P.25.3.1.1.3.9.82.101.97.100.87.114.105.116.101.1.1 i C 1
P.25.3.1.1.4.9.82.101.97.100.87.114.105.116.101.1.1 s C "CommunityView"
P.25.3.1.1.5.9.82.101.97.100.87.114.105.116.101.1.1 s C "CommunityView"
P.25.3.1.1.6.9.82.101.97.100.87.114.105.116.101.1.1 s C "CommunityView"
P.25.3.1.1.7.9.82.101.97.100.87.114.105.116.101.1.1 i C 1
P.25.3.1.1.1.9.82.101.97.100.87.114.105.116.101.2.1 s C "ReadWrite"
P.25.3.1.1.2.9.82.101.97.100.87.114.105.116.101.2.1 i C 2
P.25.3.1.1.3.9.82.101.97.100.87.114.105.116.101.2.1 i C 1
P.25.3.1.1.4.9.82.101.97.100.87.114.105.116.101.2.1 s C "CommunityView"
P.25.3.1.1.5.9.82.101.97.100.87.114.105.116.101.2.1 s C "CommunityView"
P.25.3.1.1.6.9.82.101.97.100.87.114.105.116.101.2.1 s C "CommunityView"
P.25.3.1.1.7.9.82.101.97.100.87.114.105.116.101.2.1 i C 1
P.25.3.1.1.1.7.105.110.105.116.105.97.108.3.1 s C "initial"
P.25.3.1.1.2.7.105.110.105.116.105.97.108.3.1 i C 3
P.25.3.1.1.3.7.105.110.105.116.105.97.108.3.1 i C 1
P.25.3.1.1.4.7.105.110.105.116.105.97.108.3.1 s C "restricted"
P.25.3.1.1.5.7.105.110.105.116.105.97.108.3.1 s C ""
P.25.3.1.1.6.7.105.110.105.116.105.97.108.3.1 s C "restricted"
P.25.3.1.1.7.7.105.110.105.116.105.97.108.3.1 i C 1

table P.25.4.1.1 index=str.oid status=5 max=50
column 1 s C $1
column 3 x(..32) C ""
column 4 i(1|2) C 1
column 5 i C 1
P.25.4.1.1.1.13.67.111.109.109.117.110.105.116.121.86.105.101.119.1.1 s C "CommunityView"
P.25.4.1.1.3.13.67.111.109.109.117.110.105.116.121.86.105.101.119.1.1 x C 01
P.25.4.1.1.4.13.67.111.109.109.117.110.105.116.121.86.105.101.119.1.1 i C 1
P.25.4.1.1.5.13.67.111.109.109.117.110.105.116.121.86.105.101.119.1.1 i C 1
P.25.4.1.1.1.13.67.111.109.109.117.110.105.116.121.86.105.101.119.6.1.3.6.1.6.3 s C "CommunityView"
P.25.4.1.1.3.13.67.111.109.109.117.110.105.116.121.86.105.101.119.6.1.3.6.1.6.3 x C 01-01-01-01-01-01
P.25.4.1.1.4.13.67.111.109.109.117.110.105.116.121.86.105.101.119.6.1.3.6.1.6.3 i C 2
P.25.4.1.1.5.13.67.111.109.109.117.110.105.116.121.86.105.101.119.6.1.3.6.1.6.3 i C 1
P.25.4.1.1.1.10.114.101.115.116.114.105.99.116.101.100.7.1.3.6.1.2.1.1 s C "restricted"
P.25.4.1.1.3.10.114.101.115.116.114.105.99.116.101.100.7.1.3.6.1.2.1.1 x C 01-01-01-01-01-01-01
P.25.4.1.1.4.10.114.101.115.116.114.105.99.116.101.100.7.1.3.6.1.2.1.1 i C 1
P.25.4.1.1.5.10.114.101.115.116.114.105.99.116.101.100.7.1.3.6.1.2.1.1 i C 1

# The default communities are the ones the agent was started with.
table P.25.5.1.1 index=str status=3 max=10
column 1 s C $1
column 2 s(..32) C ""
column 3 i C 1
P.25.5.1.1.1.$rcindex s C "$rc"
P.25.5.1.1.2.$rcindex s C "ReadOnly"
P.25.5.1.1.3.$rcindex i C 1
P.25.5.1.1.1.$wcindex s C "$wc"
P.25.5.1.1.2.$wcindex s C "ReadWrite"
P.25.5.1.1.3.$wcindex i C 1

table P.25.6.1.1 index=ip status=4 max=10
column 1 a C $1
column 2 s(..32) C ""
column 3 i(1..5) C 1
column 4 i C 1

P.25.7.0 x(5..32) W 80-00-08-1C-04-46-53
P.25.8.1.0 i(1|2) W 1
P.25.8.2.0 i(1|2) W 1
P.25.8.3.0 i(1|2) W 1
P.25.8.4.0 i(1|2) W 1
P.25.8.5.0 i(1|2) W 1
P.25.8.6.0 i(1|2) W 1
P.25.8.7.0 i(1|2) W 1
P.25.8.8.0 i(1|2) W 1

# ---------------------------------------------------------------- surveillance VLAN
P.26.1.1.0 i(1|2) W 2
P.26.1.2.0 i(0|2..4094) W 0
P.26.1.3.0 i(0..3) W 2
P.26.1.4.0 pl W NONE

table P.26.2.1.1 index=mac status=5 max=7 protect=2.165.17.0.0.0,2.165.18.0.0.0
column 1 x(6) C $1
column 2 s(..20c) C ""
column 3 x(6) C FF-FF-FF-FF-FF-FF
column 4 i(0..5) C 0
column 5 i C 1
P.26.2.1.1.1.2.165.17.0.0.0 x C 02-A5-11-00-00-00
P.26.2.1.1.2.2.165.17.0.0.0 s C "Default"
P.26.2.1.1.3.2.165.17.0.0.0 x C FF-FF-FF-F0-00-00
P.26.2.1.1.4.2.165.17.0.0.0 i C 5
P.26.2.1.1.5.2.165.17.0.0.0 i C 1
P.26.2.1.1.1.2.165.18.0.0.0 x C 02-A5-12-00-00-00
P.26.2.1.1.2.2.165.18.0.0.0 s C "Default"
P.26.2.1.1.3.2.165.18.0.0.0 x C FF-FF-FF-00-00-00
P.26.2.1.1.4.2.165.18.0.0.0 i C 5
P.26.2.1.1.5.2.165.18.0.0.0 i C 1

# ---------------------------------------------------------------- multicast filtering
table P.28.1.1 index=int
column 1 i R $1
column 2 i(1|2) W 1
P.28.1.1.1.$p i R $p
P.28.1.1.2.$p i W 1

# ---------------------------------------------------------------- power saving
P.31.1.1.0 pl W NONE
P.31.1.2.0 i(1|2) W 2
P.31.1.3.0 s(..32) W "None"
P.31.1.4.0 s(..32) W "None"
P.31.2.1.0 pl W NONE
P.31.2.2.0 i(1|2) W 2
P.31.2.3.0 s(..32) W "None"
P.31.2.4.0 s(..32) W "None"
P.31.3.1.0 pl W NONE
P.31.3.2.0 i(1|2) W 2
P.31.3.3.0 s(..32) W "None"
P.31.3.4.0 s(..32) W "None"
P.31.4.1.0 i(1|2) W 2
P.31.4.2.0 s(..32) W "None"
P.31.4.3.0 s(..32) W "None"
P.31.5.0 i(1|2) W 2
P.31.6.0 i(1|2) W 2

# ---------------------------------------------------------------- time profiles
table P.32.1.1 index=int(1..8) status=21 max=8
column 1 i C $1
column 2 s(..32) C ""
column 3 i(1|2) C 2
column 4 i(0..9999) C 2
column 5 i(0..12) C 2
column 6 i(0..31) C 2
column 7 i(0..23) C 0
column 8 i(0..59) C 0
column 9 i(0..9999) C 2
column 10 i(0..12) C 2
column 11 i(0..31) C 2
column 12 i(0..23) C 0
column 13 i(0..59) C 0
column 14 i(1|2) C 2
column 15 i(1|2) C 2
column 16 i(1|2) C 2
column 17 i(1|2) C 2
column 18 i(1|2) C 2
column 19 i(1|2) C 2
column 20 i(1|2) C 2
column 21 i C 1
P.32.1.1.1.1 i C 1
P.32.1.1.2.1 s C "Office"
P.32.1.1.3.1 i C 2
P.32.1.1.4.1 i C 2
P.32.1.1.5.1 i C 2
P.32.1.1.6.1 i C 2
P.32.1.1.7.1 i C 8
P.32.1.1.8.1 i C 0
P.32.1.1.9.1 i C 2
P.32.1.1.10.1 i C 2
P.32.1.1.11.1 i C 2
P.32.1.1.12.1 i C 18
P.32.1.1.13.1 i C 0
P.32.1.1.14.1 i C 1
P.32.1.1.15.1 i C 1
P.32.1.1.16.1 i C 1
P.32.1.1.17.1 i C 1
P.32.1.1.18.1 i C 1
P.32.1.1.19.1 i C 2
P.32.1.1.20.1 i C 2
P.32.1.1.21.1 i C 1

# ---------------------------------------------------------------- surveillance port modes
table P.34.1.5.1 index=int
column 2 i R 2
column 3 i R 1
P.34.1.5.1.2.$p i R 2
P.34.1.5.1.3.$p i R 1

# ================================================================ the simulated world
sim cable 1 100M
sim cable 2 100M
sim cable 3 10M
sim pd 1 class=2 watts=3.8
sim pd 2 class=3 watts=6.2
sim neighbour 1 chassis-subtype=4 chassis=00-1B-21-00-00-01 port-subtype=3 port=00-1B-21-00-00-11 port-desc="eth0" name="cam-01" desc="IP Camera"
sim neighbour 2 chassis-subtype=4 chassis=00-1B-21-00-00-02 port-subtype=5 port="lan" port-desc="LAN port" name="phone-02" desc="IP Phone"
sim fdb 1 00-1B-21-00-00-01 1 learned
sim fdb 1 00-1B-21-00-00-02 2 learned
sim fdb 1 00-1B-21-00-00-03 3 learned
sim fdb 1 00-1B-21-5A-00-01 0 self
sim fdb 1 00-1B-21-00-00-99 2 static
sim host 10.0.0.101 00-1B-21-00-00-01 1 1
sim host 10.0.0.102 00-1B-21-00-00-02 2 1
sim host 10.0.0.66 00-66-77-88-99-AA 3 1

# ================================================================ scenarios
# Ports 7 and 8 form static aggregation group 1.
scenario trunk78
P.8.1.3.1.2.1 pl W 03000000
P.8.1.3.1.3.1 i W 2
end

# Voice VLAN 100 enabled.
scenario voice100
P.7.6.1.1.100 s C "voice"
P.7.6.1.2.100 pl C ALL
P.7.6.1.3.100 pl C NONE
P.7.6.1.4.100 pl C NONE
P.7.6.1.5.100 i C 1
P.21.1.2.0 i W 1
P.21.1.3.0 i W 100
end

# Loopback detection on port 3.
scenario lbd3
P.17.5.1.2.3 i W 1
end

# One static forwarding entry on port 2.
scenario fdb2
P.9.3.1.1.1.0.27.33.0.2.2 i R 1
P.9.3.1.2.1.0.27.33.0.2.2 x R 00-1B-21-00-02-02
P.9.3.1.3.1.0.27.33.0.2.2 i R 2
end

# One ACL bound to ports 5 and 6.
scenario acl
P.15.2.1.1.10.1 pl R 0C000000
end

# Powered devices leave 7.0 W of the budget (the panel's budget lamp lights).
scenario budget
sim pd 3 class=3 watts=15.4
sim pd 5 class=3 watts=15.4
sim pd 6 class=3 watts=15.4
sim pd 7 class=2 watts=8.8
end

# As "budget", with 7.1 W left (the lamp stays dark).
scenario budget71
sim pd 3 class=3 watts=15.4
sim pd 5 class=3 watts=15.4
sim pd 6 class=3 watts=15.4
sim pd 7 class=2 watts=8.7
end

# Port security on port 1.
scenario portsec
P.14.2.1.1.2.1 i R 1
end

# Voice VLAN auto mode on port 1.
scenario voiceauto
P.21.1.6.1.2.1 i R 1
end

# Surveillance VLAN 200 enabled; port 1 is a camera port, port 2 in dynamic mode.
scenario surveillance
P.7.6.1.1.200 s C "surveillance"
P.7.6.1.2.200 pl C 00000000
P.7.6.1.3.200 pl C NONE
P.7.6.1.4.200 pl C NONE
P.7.6.1.5.200 i C 1
P.26.1.1.0 i W 1
P.26.1.2.0 i W 200
P.34.1.5.1.2.1 i R 1
P.34.1.5.1.3.2 i R 2
end

# Auto-learning off on every port.
scenario nolearn
P.9.2.0 pl W NONE
end

# Asymmetric VLAN enabled.
scenario asym
P.7.5.0 i W 1
end

# More hosts for the address scan.
scenario scanhosts
sim host 10.0.0.150 00-1B-21-00-01-50 5 1
sim host 10.0.0.151 00-1B-21-00-01-51 6 1
sim host 10.0.0.152 00-1B-21-00-01-52 7 1
sim host 10.0.0.200 00-1B-21-00-02-00 8 1
end

# 10,000 static forwarding entries (for walks of a large table).
scenario fdb10000
sim fdbfill 10000 1 static
end
