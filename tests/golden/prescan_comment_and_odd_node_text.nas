SOL SEMFREQ
CEND
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
FREQ1   20      5.0     5.0     399
TABDMP1 40      CRIT
$ CONM2 masses follow
CONM2   600     901x    0       2.5
EIGRL   1                       20
FORCE   1       1       0       1.0
RBE2    10      901     2       100
SPC
