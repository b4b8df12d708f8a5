$ Modal transient run of an engine mount with a lumped engine mass
$ Units: mm, t, s
SOL SEMTRAN
CEND
TITLE = ENGINE MOUNT DROP RESPONSE
ECHO = NONE
METHOD = 10
TSTEP = 1
DLOAD = 30
SDAMPING = 40
SPC = 1
SET 1 = 901
ACCELERATION(SORT1,PRINT) = 1
BEGIN BULK
PARAM   POST    -1
EIGRL   10                      40
TSTEP   1       2000    .0005
RLOAD2  29      35                      36
TLOAD1  30      35                      36
TABLED2 36      0.0
+       0.0     0.0     0.01    1.0     0.02    0.0     ENDT
FORCE   35      901     0       9810.0  0.0     0.0     -1.0
$ Constraint of the mount feet
SPC     1       101     123456
SPC     1       102     123456
SPC     1       103     123456
GRID    101             0.0     0.0     0.0
GRID    102             200.0   0.0     0.0
GRID    103             100.0   150.0   0.0
GRID    901             100.0   50.0    80.0
RBE2    500     101     123     102
RBE2    501     901     123     103
CONM2   600     901     0       0.18
GRAV    99      0       9810.0  0.0     0.0     -1.0
ENDDATA
