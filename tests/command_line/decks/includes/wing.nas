ID WING
SOL SEMFREQ
CEND
INCLUDE 'case_control.inc'
BEGIN BULK
EIGRL   10                      20
FREQ1   20      10.0    5.0     40
TABDMP1 30
+       0.0     0.02    1000.0  0.02    ENDT
include 'parts/
         links.bdf'
  INCLUDE parts\mesh.bdf
INCLUDE '$TORVEX_TEST_LOADS/loads.bdf'
INCLUDE 'MASSES:mass.bdf'
INCLUDE 'missing.bdf'
INCLUDE shared.bdf
ENDDATA
