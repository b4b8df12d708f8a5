$ Modal transient run of an engine mount: two pulses combined by a DLOAD
$ entry added by hand in free field. The second pulse is the TLOAD1
$ numbered 32, written as 33 in the combination.
SOL SEMTRAN
CEND
TITLE = ENGINE MOUNT, TWO PULSES
METHOD = 10
TSTEP = 1
DLOAD = 30
SDAMPING = 40
SPC = 1
SET 1 = 901
ACCELERATION(SORT1,PRINT) = 1
BEGIN BULK
EIGRL   10                      40
TSTEP   1       2000    .0005
TABDMP1 40      CRIT
+       0.0     0.02    2000.0  0.02    ENDT
DLOAD,30,1.0,1.0,31,0.5,33
TLOAD1  31      35                      36
TLOAD1  32      35      0.01            36
TABLED2 36      0.0
+       0.0     0.0     0.01    1.0     0.02    0.0     ENDT
FORCE   35      901     0       9810.0  0.0     0.0     -1.0
$ Constraint of the mount feet
SPC     1       101     123456
SPC     1       901     12456
GRID    101             0.0     0.0     0.0
GRID    901             100.0   50.0    80.0
RBE2    500     901     3       101
CONM2   600     901     0       0.18
ENDDATA
