$ Frequency response of a bracket carrying an instrument mass
SOL SEMFREQ
CEND
TITLE = BRACKET WITH INSTRUMENT MASS
ECHO = NONE
METHOD = 10
FREQUENCY = 20
DLOAD = 30
SDAMPING = 40
SPC = 1
SET 1 = 901
ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
PARAM   POST    -1
EIGRL   10                      20
FREQ1   20      5.0     5.0     399
TABDMP1 40      CRIT
+       0.0     0.02    2000.0  0.02    ENDT
RLOAD2  30      35                      36
TABLED1 36
+       0.0     1.0     2000.0  1.0     ENDT
DAREA   35      901     3       1.0
FORCE   35      901     0       1.0     0.0     0.0     1.0
$ Constraint of the base and of the mass node
SPC     1       101     123456
SPC     1       102     123456
SPC     1       901     12456
GRID    101             0.0     0.0     0.0
GRID    102             100.0   0.0     0.0
GRID    901             50.0    0.0     25.0
RBE2    500     901     3       101
RBE2    501     901     123     102
CONM2   600     901     0       2.5
ENDDATA
