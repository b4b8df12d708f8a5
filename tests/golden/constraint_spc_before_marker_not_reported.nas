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
EIGRL 1 2 20
RBE2 1 2 3 4
SPC     1       901     123456
SPC     1       102     123
$ Constraint of the base: SPC 1 101 123456
SPC1    1       123     103     104
SPCADD  2       1
SPC     1       99999999999123
SPC     1       -5      +6
