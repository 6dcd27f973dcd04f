# Regmap24.plt -- draws the Taitel-Dukler flow-pattern map that Regmap24 has computed.
#
# Regmap24 runs "wgnuplot.exe Regmap24.plt" in its working directory at the end of a run.
# This script reads, from that directory:
#   Regmap24.plp  the plot window: " set xrange[JGMIN:JGMAX]" and " set yrange[JLMIN:JLMAX]"
#   Regmap24.out  the curves, pairs (JG, JL) in m/s in five blocks separated by two empty
#                 lines, each block headed by its triple point:
#                   block 0  transition B            headed by AB
#                   block 1  transition A, JG falling from AB, headed by AB
#                   block 2  transition A, JG rising from AB, headed by AB
#                   block 3  transition D            headed by BD
#                   block 4  transition C            headed by AC
# and writes the map to Regmap24.png. Where a display and an interactive gnuplot terminal
# are available it also shows the map in a window.
#
# A triple point without a value stands as one line "? ?" in place of its block, so the
# later blocks keep their index; "?" is read as a missing value. Points with a negative JL
# (liquid flowing back, on upward slopes) cannot stand on a logarithmic axis and are left
# out. A block without a single drawable point is left out of the plot command, because
# gnuplot warns about such a block. The names of the flow regions are placed from the
# curves themselves, so they follow the map whatever the fluids, the slope and the window.
# This script may be edited freely: Regmap24 never writes it.

reset
set encoding default
set datafile missing "?"
curves = 'Regmap24.out'

# ---------------------------------------------------------------- picture and terminal
# Fixed margins, so the size of the plot area in pixels is known when the labels are sized.
W_PX = 1200
H_PX = 800
L_FR = 0.09
R_FR = 0.75
B_FR = 0.09
T_FR = 0.93
PLOT_W_PX = W_PX * (R_FR - L_FR)
PLOT_H_PX = H_PX * (T_FR - B_FR)
# Average width and height of a character of the region labels, in pixels.
CHAR_W_PX = 8.0
CHAR_H_PX = 17.0

has_term(t) = strstrt(" " . GPVAL_TERMINALS . " ", " " . t . " ") > 0
if (has_term("pngcairo")) {
  set terminal pngcairo size W_PX, H_PX enhanced font "Sans,11" linewidth 1.2
} else {
  set terminal png size W_PX, H_PX enhanced
}

# ---------------------------------------------------------------- reading the curves
# Read before the window is set: stats keeps only values inside the ranges in force.
# Blocks are numbered 1 to 5 here (block 0 of the file is 1): B, lower A, upper A, D, C.
IB = 1
IAL = 2
IAU = 3
ID = 4
IC = 5
NBLK = 5
# First pass: the number of lines with data, placeholders included (the size of the arrays).
stats [*:*] curves using (0) nooutput
NREC = exists("STATS_records") ? STATS_records : 0
array LX[NREC + 1]
array LY[NREC + 1]
array FIRST[NBLK]   # first and last record of each block
array LAST[NBLK]
array NVAL[NBLK]    # number of points with values
array NPOS[NBLK]    # number of drawable points (JG > 0 and JL > 0)
array TPX[NBLK]     # triple point at the head of the block, as written (m/s)
array TPY[NBLK]
do for [b = 1:NBLK] {
  FIRST[b] = 1
  LAST[b] = 0
  NVAL[b] = 0
  NPOS[b] = 0
  TPX[b] = NaN
  TPY[b] = NaN
}
# Second pass: every point in decades (NaN where it cannot be drawn), the record range of
# each block and its head.
rec = 0
prev_blk = 0
drawable = 0
store(b) = (rec = rec + 1, \
  drawable = (valid(1) && valid(2)) ? ($1 > 0 && $2 > 0) : 0, \
  LX[rec] = drawable ? log10($1) : NaN, \
  LY[rec] = drawable ? log10($2) : NaN, \
  (b != prev_blk) ? (FIRST[b] = rec, TPX[b] = valid(1) ? $1 : NaN, \
                     TPY[b] = valid(2) ? $2 : NaN, prev_blk = b) : 0, \
  LAST[b] = rec, NVAL[b] = NVAL[b] + (valid(1) && valid(2)), NPOS[b] = NPOS[b] + drawable, 0)
if (NREC > 0) {
  stats [*:*] curves using ((column(-2) >= 0 && column(-2) < NBLK) ? \
                              store(column(-2) + 1) : 0) nooutput
}

# ---------------------------------------------------------------- the plot window
# Regmap24.plp sets the ranges (over the menu defaults); a table plot then makes them
# readable as GPVAL_*.
set xrange [0.005:500]
set yrange [0.005:50]
load 'Regmap24.plp'
set table $window_probe
plot 1 notitle
unset table
undefine $window_probe
JGMIN = GPVAL_X_MIN
JGMAX = GPVAL_X_MAX
JLMIN = GPVAL_Y_MIN
JLMAX = GPVAL_Y_MAX
# A logarithmic axis needs positive limits: a window limit of zero or below (the menus take
# any value) is replaced by one five decades under the upper limit.
if (JGMAX <= 0) { JGMAX = 1000.0 }
if (JGMIN <= 0 || JGMIN >= JGMAX) { JGMIN = JGMAX * 1e-5 }
if (JLMAX <= 0) { JLMAX = 100.0 }
if (JLMIN <= 0 || JLMIN >= JLMAX) { JLMIN = JLMAX * 1e-5 }
set xrange [JGMIN:JGMAX]
set yrange [JLMIN:JLMAX]
# The window in decades (logarithms to base 10), where all placing is done.
X0 = log10(JGMIN)
X1 = log10(JGMAX)
Y0 = log10(JLMIN)
Y1 = log10(JLMAX)

# Drawable points of each block inside the window (limits included).
array NIN[NBLK]
do for [b = 1:NBLK] {
  NIN[b] = 0
  do for [i = FIRST[b]:LAST[b]] {
    if (LX[i] >= X0 && LX[i] <= X1 && LY[i] >= Y0 && LY[i] <= Y1) { NIN[b] = NIN[b] + 1 }
  }
}

# ---------------------------------------------------------------- curves as functions
isnum(v) = (v == v)
# JL on block b at JG = 10^x (both in decades), interpolated linearly in decades between
# the first two neighbouring drawable points of the block that enclose x; `none` when no
# segment of the block reaches x.
encloses(i, x) = isnum(LX[i]) && isnum(LX[i + 1]) && LX[i] != LX[i + 1] && \
                 (LX[i] - x) * (LX[i + 1] - x) <= 0
along(i, x) = LY[i] + (LY[i + 1] - LY[i]) * (x - LX[i]) / (LX[i + 1] - LX[i])
yat(b, x, none) = (yat_v = none, yat_f = 0, \
  sum [i = FIRST[b] : LAST[b] - 1] ((!yat_f && encloses(i, x)) ? \
                                     (yat_v = along(i, x), yat_f = 1, 0) : 0), \
  yat_v)
# A triple point that can be drawn, in decades.
tp_ok(b) = isnum(TPX[b]) && isnum(TPY[b]) && TPX[b] > 0 && TPY[b] > 0
lgx(b) = log10(TPX[b])
lgy(b) = log10(TPY[b])
inside(b) = tp_ok(b) && lgx(b) >= X0 && lgx(b) <= X1 && lgy(b) >= Y0 && lgy(b) <= Y1
clamp(v, lo, hi) = (v < lo) ? lo : ((v > hi) ? hi : v)
max2(a, b) = (a > b) ? a : b
min2(a, b) = (a < b) ? a : b

# The bounds of each flow region above and below the gas velocity x, in decades. A curve
# that does not reach x gives the window edge on the side where it has left the window.
AB_ok = tp_ok(IB)
BD_ok = tp_ok(ID)
AC_ok = tp_ok(IC)
xAB = AB_ok ? lgx(IB) : X1
xAC = AC_ok ? lgx(IC) : X0
yBD = BD_ok ? lgy(ID) : Y1
# Transition A as one curve: the lower branch left of AB, the upper branch right of it.
yA(x) = (x < xAB) ? yat(IAL, x, Y0) : yat(IAU, x, Y0)
# Dispersed bubbles: above D, up to the top of the window.
lo_bubbles(x) = yat(ID, x, Y1)
hi_bubbles(x) = Y1
# Intermittent: below D, above A left of AB and above B right of it.
lo_interm(x) = (x < xAB) ? yA(x) : yat(IB, x, Y1)
hi_interm(x) = yat(ID, x, yBD)
# Annular: right of B, above the upper branch of A.
lo_annular(x) = yat(IAU, x, Y0)
hi_annular(x) = yat(IB, x, Y1)
# Stratified smooth: below A left of AC, below C right of it.
lo_smooth(x) = Y0
hi_smooth(x) = (x < xAC) ? yat(IAL, x, Y0) : yat(IC, x, Y0)
# Stratified wavy: above C, below A, right of AC.
lo_wavy(x) = yat(IC, x, Y0)
hi_wavy(x) = yA(x)

# ---------------------------------------------------------------- the picture
set title "Carte d'ecoulement de Taitel et Dukler" font ",14"
set xlabel "JG vitesse superficielle du gaz (m/s)"
set ylabel "JL vitesse superficielle du liquide (m/s)"
set logscale xy
set format x "%g"
set format y "%g"
set mxtics 10
set mytics 10
set grid xtics ytics mxtics mytics lt 1 lc rgb "#d0d0d0" lw 0.7, lt 1 lc rgb "#ececec" lw 0.5
set lmargin at screen L_FR
set rmargin at screen R_FR
set bmargin at screen B_FR
set tmargin at screen T_FR
set key at screen R_FR + 0.015, T_FR top left Left reverse box opaque spacing 1.3 samplen 3 \
    width -2 title "Transitions"
set clip two

set style line 1 lc rgb "#1f4e9c" lw 2.2 dt 1          # A
set style line 2 lc rgb "#c0392b" lw 2.2 dt 2          # B
set style line 3 lc rgb "#1e8449" lw 2.2 dt 4          # C
set style line 4 lc rgb "#7d3c98" lw 2.2 dt 5          # D
set style line 9 lc rgb "black" pt 7 ps 1.4            # triple points

# Region names. The five regions: 1 dispersed bubbles, 2 intermittent, 3 annular,
# 4 stratified smooth, 5 stratified wavy. Each name is placed between the lower and the
# upper bound of its region, with its centre between the gas velocities REG_A and REG_B
# (decades). NSCAN + 1 positions are tried; at each, the room between the bounds is taken
# over the whole width of the text. The name goes to the position nearest the preferred
# gas velocity REG_M among those with ample room, or else to the one with the most room,
# centred in that room and kept inside the window. It is left out when its region has no
# room for it in the window, and when the curves that bound it are not in the window.
lo_reg(r, x) = (r == 1) ? lo_bubbles(x) : (r == 2) ? lo_interm(x) : (r == 3) ? lo_annular(x) : \
               (r == 4) ? lo_smooth(x) : lo_wavy(x)
hi_reg(r, x) = (r == 1) ? hi_bubbles(x) : (r == 2) ? hi_interm(x) : (r == 3) ? hi_annular(x) : \
               (r == 4) ? hi_smooth(x) : hi_wavy(x)
array REG_TEXT[5] = ["bulles dispersees", "intermittent", "annulaire", \
                     "stratifie\nlisse", "stratifie\na vagues"]
array REG_LINES[5] = [1, 1, 1, 2, 2]
array REG_CHARS[5] = [17, 12, 9, 9, 9]
array REG_A[5] = [X0, X0, xAB, X0, xAC]
array REG_B[5] = [X1, X1, X1, X1, X1]
# Preferred centres: the middle of the span, except stratified smooth flow, which is named
# where it lies under transition A, left of AC, rather than in the narrow part under C.
array REG_M[5] = [(X0 + X1) / 2, (X0 + min2(xAB, X1)) / 2, (max2(xAB, X0) + X1) / 2, \
                  (X0 + max2(xAC, X0)) / 2, (max2(xAC, X0) + X1) / 2]
array REG_ON[5] = [NIN[ID] > 0, NIN[IAL] + NIN[ID] > 0, AB_ok && NIN[IB] + NIN[IAU] > 0, \
                   AC_ok && NIN[IAL] + NIN[IC] > 0, AC_ok && NIN[IC] + NIN[IAU] > 0]
NSCAN = 48
AMPLE = 8      # ample room: this many half text heights
DX_PX = (X1 - X0) / PLOT_W_PX
DY_PX = (Y1 - Y0) / PLOT_H_PX
set style textbox opaque noborder margins 1, 1
do for [r = 1:5] {
  if (REG_ON[r]) {
    hw = REG_CHARS[r] * CHAR_W_PX * DX_PX / 2
    hh = REG_LINES[r] * CHAR_H_PX * DY_PX / 2
    a = max2(REG_A[r], X0) + hw
    b = min2(REG_B[r], X1) - hw
    if (a > b) { a = (a + b) / 2; b = a }
    mid = REG_M[r]
    best_room = -1e9; best_x = mid; best_y = NaN
    near_d = 1e9; near_x = NaN; near_y = NaN
    do for [k = 0:NSCAN] {
      x = a + (b - a) * k / NSCAN
      lo = Y0; hi = Y1
      do for [s = -1:1] {
        lo = max2(lo, lo_reg(r, x + s * hw))
        hi = min2(hi, hi_reg(r, x + s * hw))
      }
      room = hi - lo
      if (room > best_room) { best_room = room; best_x = x; best_y = (lo + hi) / 2 }
      if (room >= AMPLE * hh && abs(x - mid) < near_d) {
        near_d = abs(x - mid); near_x = x; near_y = (lo + hi) / 2
      }
    }
    if (isnum(near_x)) { best_x = near_x; best_y = near_y; best_room = AMPLE * hh }
    if (best_room >= 2 * hh) {
      best_y = clamp(best_y, Y0 + hh, Y1 - hh)
      set label r REG_TEXT[r] at 10**best_x, 10**best_y center front \
          textcolor rgb "#202020" font ",12" boxed
    }
  }
}

# Triple points AB, BD and AC, the heads of blocks 0, 3 and 4, where they lie in the window.
array TP_NAME[3] = ["AB", "BD", "AC"]
array TP_BLK[3] = [IB, ID, IC]
do for [t = 1:3] {
  b = TP_BLK[t]
  if (inside(b)) {
    set label 100 + t TP_NAME[t] at TPX[b], TPY[b] point ls 9 offset 0.9, 0.7 front font ",11"
  }
}

# The plot command: one element per block that has a drawable point in the window, so a
# block that holds only its placeholder or only negative JL never reaches the plot (gnuplot
# warns about a data set without a valid point). A transition that is not drawn still has
# its line in the key, saying why: not traced (the placeholder of a triple point without a
# value), only at negative JL, or outside the window.
cmd = ""
add(s) = (cmd = cmd . ((strlen(cmd) > 0) ? ", " : "") . s, 0)
block(b) = sprintf("curves index %d using 1:2", b - 1)
why(nval, npos) = (nval == 0) ? " (non tracee)" : (npos == 0) ? " (JL negatif)" : " (hors fenetre)"
array CURVE_NAME[4] = ["A", "B", "C", "D"]
array CURVE_LS[4] = [1, 2, 3, 4]
array CURVE_BLK1[4] = [IAL, IB, IC, ID]
array CURVE_BLK2[4] = [IAU, IB, IC, ID]
dummy = 0
do for [c = 1:4] {
  b1 = CURVE_BLK1[c]
  b2 = CURVE_BLK2[c]
  title = sprintf("title 'Transition %s'", CURVE_NAME[c])
  style = sprintf(" with lines ls %d ", CURVE_LS[c])
  if (NIN[b1] > 0) { dummy = add(block(b1) . style . title); title = "notitle" }
  if (b2 != b1 && NIN[b2] > 0) { dummy = add(block(b2) . style . title); title = "notitle" }
  if (title ne "notitle") {
    n2 = (b2 != b1)
    dummy = add(sprintf("keyentry%s title 'Transition %s%s'", style, CURVE_NAME[c], \
                        why(NVAL[b1] + n2 * NVAL[b2], NPOS[b1] + n2 * NPOS[b2])))
  }
}
# With no curve at all in the window the map is an empty frame (gnuplot cannot draw a plot
# made of key entries only).
if (NIN[IAL] + NIN[IAU] + NIN[IB] + NIN[IC] + NIN[ID] == 0) {
  set label 99 "aucune transition dans la fenetre" at graph 0.5, 0.5 center front
  dummy = add("JLMIN * 1e-3 notitle")
}

set output 'Regmap24.png'
eval "plot " . cmd
unset output

# ---------------------------------------------------------------- window on the screen
# Shown only with a display and an interactive terminal (gnuplot-nox has none); the window
# stays open after the script has ended.
display = system("printf '%s' \"${DISPLAY:-}\"")
if (strlen(display) > 0) {
  if (has_term("qt")) {
    set terminal qt persist size W_PX, H_PX enhanced font "Sans,10"
    replot
  } else {
    if (has_term("wxt")) {
      set terminal wxt persist size W_PX, H_PX enhanced font "Sans,10"
      replot
    } else {
      if (has_term("x11")) {
        set terminal x11 persist size W_PX, H_PX enhanced
        replot
      }
    }
  }
}
