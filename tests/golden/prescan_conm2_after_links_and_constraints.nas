SOL SEMFREQ
CEND
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
FREQ1   20      5.0     5.0     399
TABDMP1 40      CRIT
$ Constraint set
SPC     1       101     123456
SPC     1       901     123
RBE2    10      100     3       901
FORCE   1       901     0       1.0     1.0     0.0     0.0
EIGRL   1                       20
CONM2   600     901     0       2.5
