$ a transient deck whose SOL is in lower case, after comments
  $ SOL 101 in a comment does not count

  sol 112 $ modal transient
CEND
SET 1 = 901
ACCELERATION(SORT1,PRINT) = 1
TSTEP = 1
BEGIN BULK
TSTEP   1       1000    .001
EIGRL   10                      40
TABLED2 5
RLOAD2  40      50
FORCE   50      901     0       1.0     0.0     1.0     0.0
$ Constraint
SPC     1       102     123456
RBE2    70      901     123     103
CONM2   600     901     0       0.18
GRAV    99      0       9810.0  0.0     0.0     -1.0
ENDDATA
