$ Frequency response of a stiffened access panel with a sensor mass
$ Units: mm, t, s
$ The eigenvalue method is set up as 10 in the bulk data, but the case
$ control asks for method 11.
SOL SEMFREQ
CEND
TITLE = ACCESS PANEL WITH SENSOR
ECHO = NONE
SUBCASE 1
  LABEL = VERTICAL BASE SHAKE
  METHOD = 11
  FREQUENCY = 20
  DLOAD = 30
  SDAMPING = 40
  SPC = 1
  SET 1 = 901
  ACCELERATION(SORT1,PRINT,PHASE) = 1
BEGIN BULK
PARAM   POST    -1
$ Eigenvalues up to 2 kHz
EIGRL   10                      30
FREQ1   20      5.0     5.0     399
TABDMP1 40      CRIT
+       0.0     0.02    2000.0  0.02    ENDT
RLOAD2  30      35                      36
TABLED1 36
+       0.0     1.0     2000.0  1.0     ENDT
FORCE   35      901     0       1.0     0.0     0.0     1.0
$ Constraint of the panel edge
SPC     1       101     123456
SPC     1       102     123456
SPC     1       103     123456
SPC     1       104     123456
SPC     1       901     12456
GRID    101             0.0     0.0     0.0
GRID    102             300.0   0.0     0.0
GRID    103             300.0   200.0   0.0
GRID    104             0.0     200.0   0.0
GRID    901             150.0   100.0   20.0
RBE2    500     901     3       101
CONM2   600     901     0       0.05
ENDDATA
