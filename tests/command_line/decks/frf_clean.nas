ID BRACKET
SOL SEMFREQ
CEND
TITLE = clean bracket
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
FREQUENCY = 20
BEGIN BULK
EIGRL   10                      20
FREQ1   20      10.0    5.0     40
TABDMP1 30
+       0.0     0.02    1000.0  0.02    ENDT
RLOAD2  40      50                      30
FORCE   50      901     0       1.0     0.0     0.0     1.0
$ Constraint set
SPC     1       101     123456
SPC     1       901     12456
RBE2    70      901     3       101
CONM2   600     901     0       2.5
TABLED1 30
+       0.0     1.0     1000.0  1.0     ENDT
ENDDATA
