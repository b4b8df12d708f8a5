SOL SEMFREQ
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE)=1
begin bulk
$ TABDMP1 named in a comment counts
SPC1    1       123     101     102
FORCE1  1       901     10.0    101     102
GRAV    1               9810.0  0.0     0.0     -1.0
