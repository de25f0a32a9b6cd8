#!/usr/bin/env bash
# Draws the wizard's banner bitmaps and the program's icons with ImageMagick.
# The results are committed (res/art/*.bmp, res/art/*.ico); run this again only
# to change the pictures:   res/art/make_art.sh
# Needs: imagemagick, fonts-liberation (the title and subtitle typeface).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

font_dir=/usr/share/fonts/truetype/liberation
bold="$font_dir/LiberationSans-Bold.ttf"
regular="$font_dir/LiberationSans-Regular.ttf"

# Palette shared by banners and icons.
navy='#1d3557'     # title text, outlines
blue='#2f6fb3'     # accent: web page bars, badges
sky='#dbe9f7'      # light fills
grey='#8a96a3'     # text lines on the little pages
subtitle='#4a5563'
green='#2e9e5b'
amber='#f2b134'

# Drawings are made at four times their size and scaled down, which gives
# smooth edges without a blurry look at 1:1.
S=4

# A sheet of paper with a folded corner and text lines, drawn into `out` at
# (x, y) with size w x h, all in 4x units.
page() {  # out x y w h [header-colour]
    local out=$1 x=$2 y=$3 w=$4 h=$5 header=${6:-}
    local fold=$(( w / 4 ))
    local x2=$(( x + w )) y2=$(( y + h ))
    local args=(-stroke "$navy" -strokewidth $((S + 1)) -fill white
        -draw "polygon $x,$y $((x2 - fold)),$y $x2,$((y + fold)) $x2,$y2 $x,$y2"
        -fill "$sky" -draw "polygon $((x2 - fold)),$y $((x2 - fold)),$((y + fold)) $x2,$((y + fold))")
    local ly=$(( y + h / 4 ))
    if [ -n "$header" ]; then
        args+=(-stroke none -fill "$header"
               -draw "rectangle $((x + 3 * S)),$((y + 3 * S)) $((x2 - fold - 2 * S)),$((y + h / 6 + 3 * S))")
        ly=$(( y + h / 6 + 8 * S ))
    fi
    args+=(-stroke "$grey" -strokewidth $((S + 1)) -fill none)
    while [ $(( ly + 4 * S )) -lt $(( y2 - 2 * S )) ]; do
        args+=(-draw "line $((x + 4 * S)),$ly $((x2 - 5 * S)),$ly")
        ly=$(( ly + 6 * S ))
    done
    convert "$out" "${args[@]}" "$out"
}

badge() {  # out cx cy r colour kind(plus|play|arrow)
    local out=$1 cx=$2 cy=$3 r=$4 colour=$5 kind=$6
    local args=(-stroke white -strokewidth $((S + 2)) -fill "$colour"
        -draw "circle $cx,$cy $((cx + r)),$cy")
    local a=$(( r / 2 ))
    case $kind in
    plus)  args+=(-stroke white -strokewidth $((3 * S)) -fill none
                  -draw "line $((cx - a)),$cy $((cx + a)),$cy"
                  -draw "line $cx,$((cy - a)) $cx,$((cy + a))") ;;
    play)  args+=(-stroke none -fill white
                  -draw "polygon $((cx - a * 2 / 3)),$((cy - a)) $((cx + a)),$cy $((cx - a * 2 / 3)),$((cy + a))") ;;
    arrow) args+=(-stroke white -strokewidth $((3 * S)) -fill none
                  -draw "line $((cx - a)),$cy $((cx + a / 2)),$cy"
                  -draw "polyline $((cx + 1)),$((cy - a + S)) $((cx + a - S)),$cy $((cx + 1)),$((cy + a - S))") ;;
    esac
    convert "$out" "${args[@]}" "$out"
}

# ---- the small drawings at the right of the banners (80 x 56 pixels) -------------
W=$((80 * S)); H=$((56 * S))

# Step 1: a pile of text files and a plus: files go into the list.
draw_step1() {
    local out=$1
    convert -size ${W}x${H} xc:none "$out"
    page "$out" $((14 * S)) $((6 * S)) $((30 * S)) $((38 * S))
    page "$out" $((26 * S)) $((12 * S)) $((30 * S)) $((38 * S))
    badge "$out" $((60 * S)) $((40 * S)) $((11 * S)) "$green" plus
}

# Step 2: a web page laid out by a template: header bar, side column, text.
draw_step2() {
    local out=$1
    convert -size ${W}x${H} xc:none "$out"
    local x=$((12 * S)) y=$((5 * S)) w=$((52 * S)) h=$((44 * S))
    convert "$out" -stroke "$navy" -strokewidth $((S + 1)) -fill white \
        -draw "roundrectangle $x,$y $((x + w)),$((y + h)) $((3 * S)),$((3 * S))" \
        -stroke none -fill "$blue" \
        -draw "roundrectangle $((x + S)),$((y + S)) $((x + w - S)),$((y + 8 * S)) $((2 * S)),$((2 * S))" \
        -fill white -draw "circle $((x + 5 * S)),$((y + 4 * S + S / 2)) $((x + 6 * S + S / 2)),$((y + 4 * S + S / 2))" \
        -fill "$sky" -draw "rectangle $((x + 4 * S)),$((y + 12 * S)) $((x + 16 * S)),$((y + h - 4 * S))" \
        -stroke "$grey" -strokewidth $((S + 1)) \
        -draw "line $((x + 20 * S)),$((y + 14 * S)) $((x + w - 5 * S)),$((y + 14 * S))" \
        -draw "line $((x + 20 * S)),$((y + 20 * S)) $((x + w - 9 * S)),$((y + 20 * S))" \
        -draw "line $((x + 20 * S)),$((y + 26 * S)) $((x + w - 5 * S)),$((y + 26 * S))" \
        -draw "line $((x + 20 * S)),$((y + 32 * S)) $((x + w - 12 * S)),$((y + 32 * S))" \
        "$out"
    # Angle brackets on an amber tag: the page is HTML.
    convert "$out" -stroke white -strokewidth $((S + 2)) -fill "$amber" \
        -draw "roundrectangle $((52 * S)),$((34 * S)) $((76 * S)),$((50 * S)) $((4 * S)),$((4 * S))" \
        -stroke "$navy" -strokewidth $((2 * S + 2)) -fill none \
        -draw "polyline $((61 * S)),$((38 * S)) $((57 * S)),$((42 * S)) $((61 * S)),$((46 * S))" \
        -draw "polyline $((67 * S)),$((38 * S)) $((71 * S)),$((42 * S)) $((67 * S)),$((46 * S))" \
        "$out"
}

# Step 3: numbered pages coming out, and the start button.
draw_step3() {
    local out=$1
    convert -size ${W}x${H} xc:none "$out"
    page "$out" $((6 * S)) $((4 * S)) $((26 * S)) $((34 * S)) "$blue"
    page "$out" $((18 * S)) $((10 * S)) $((26 * S)) $((34 * S)) "$blue"
    page "$out" $((30 * S)) $((16 * S)) $((26 * S)) $((34 * S)) "$blue"
    badge "$out" $((64 * S)) $((38 * S)) $((11 * S)) "$green" play
}

banner() {  # number subtitle drawer
    local n=$1 sub=$2 drawer=$3
    local art="$work/art$n.png"
    $drawer "$art"
    convert "$art" -filter Lanczos -resize 80x56 "$work/art${n}s.png"
    # Accent line along the bottom edge, fading into the white ground.
    convert -size 400x2 gradient:"$blue"-white "$work/rule.png"
    convert -size 400x60 xc:white \
        -font "$bold" -pointsize 15 -fill "$navy" -annotate +16+23 "tessiva - step $n of 3" \
        -font "$regular" -pointsize 12 -fill "$subtitle" -annotate +32+43 "$sub" \
        "$work/art${n}s.png" -geometry +312+2 -composite \
        "$work/rule.png" -geometry +0+58 -composite \
        -alpha off -type TrueColor "BMP3:$here/banner_step$n.bmp"
}

banner 1 "add text files into listbox" draw_step1
banner 2 "html format" draw_step2
banner 3 "start:" draw_step3

# ---- icons ------------------------------------------------------------------------
# The program: a text page turning into a web page (blue header) with an arrow badge.
draw_icon() {  # out size(4x units)
    local out=$1 D=$2
    convert -size ${D}x${D} xc:none "$out"
    local u=$(( D / 32 ))
    page "$out" $((3 * u)) $((1 * u)) $((20 * u)) $((26 * u)) "$blue"
    badge "$out" $((22 * u)) $((22 * u)) $((9 * u)) "$green" arrow
}

icon() {  # name
    local name=$1 sizes=()
    draw_icon "$work/icon_big.png" $((32 * 8))
    for px in 16 24 32 48 64 256; do
        convert "$work/icon_big.png" -filter Lanczos -resize ${px}x${px} "$work/icon$px.png"
        sizes+=("$work/icon$px.png")
    done
    convert "${sizes[@]}" "$here/$name.ico"
}

# The about box shows the program's own picture.
S=8 icon tessiva
cp "$here/tessiva.ico" "$here/about.ico"
echo "Drew $here/banner_step{1,2,3}.bmp, tessiva.ico and about.ico"
