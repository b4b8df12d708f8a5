SOL SEMFREQ
CEND
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
FREQ1   20      5.0     5.0     399
TABDMP1 40      CRIT
CONM2   600     900     0       2.5
CONM2   601     901     0       1.5
$ Constraint
SPC     1       900     123456
SPC     1       901     123456
RBE2    10      900     123     100
RBE2    11      100     1       901
FORCE   1       1       0       1.0
EIGRL   1                       20
