SOL SEMFREQ
CEND
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
FREQ1   20      5.0     5.0     399
TABDMP1 40      CRIT
$ Constraint
SPC     1       ALL     123456
SPC     1       101     123
RBE2    10      100     3       901
EIGRL   1                       20
FORCE   1       1       0       1.0
