SOL SEMFREQ
CEND
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
FREQ1   20      5.0     5.0     399
TABDMP1 40      CRIT
CONM2   600     901     0       2.5
RLOAD2
FORCE 1 1 0 1.0 1.0 0.0 0.0
RBE2 1 2 3 4
$ Constraint
SPC 1 901 3
EIGRL   10                      20
EIGRL   11      0.1     500.0   30
$ EIGRL in a comment: method 12
METHOD = EIGRL
SPC     1       902
