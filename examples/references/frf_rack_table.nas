$ Frequency response of an equipment rack: large-field loads written by a
$ preprocessor. The load's phase table is numbered 37; the table entry
$ below is 38.
SOL SEMFREQ
CEND
TITLE = EQUIPMENT RACK
METHOD = 10
FREQUENCY = 20
DLOAD = 30
SDAMPING = 40
SPC = 1
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
EIGRL   10                      40
FREQ1   20      2.0     2.0     500
TABDMP1 40      CRIT
+       0.0     0.03    2000.0  0.03    ENDT
RLOAD2* 30              35                                              +RL30
*RL30   36              37
TABLED1*36
*       0.0             1.0             2000.0          1.0
*       ENDT
TABLED1*38
*       0.0             0.0             2000.0          0.0
*       ENDT
DAREA  *35              901             3               1.0
FORCE   35      901     0       1.0     0.0     0.0     1.0
$ Constraint of the rack feet
SPC     1       101     123456
SPC     1       901     12456
GRID    101             0.0     0.0     0.0
GRID    901             0.0     0.0     600.0
RBE2    500     901     3       101
CONM2   600     901     0       0.12
ENDDATA
