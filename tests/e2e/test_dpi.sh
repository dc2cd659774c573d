#!/usr/bin/env bash
# The menu window follows the screen's resolution: at 144 dpi its inner area, its font and the
# list's margins are one and a half times their size at 96 dpi.
source "$(dirname "$0")/lib/harness.sh"

# Twips to pixels at a resolution, rounded as the program rounds (MulDiv).
pixels() { echo $((($1 * $2 + 720) / 1440)); }

# Opens a menu file of its own (no stored placement: the default size) at the given resolution
# and measures its window: sets CLIENT_WIDTH, CLIENT_HEIGHT, ROW_HEIGHT and the list's margins
# LEFT, TOP, RIGHT, BOTTOM, all in pixels.
measure() {
    local dpi=$1 file=$E2E_WORK/at-$1.Larkspur title="Меню при $1 dpi" window info list x y width height
    printf '[Options]\r\nTitle=%s\r\n[Item 0]\r\nTitle=Строка\r\nFileName=cmd.exe\r\n' "$title" >"$file"
    e2e_set_dpi "$dpi"
    e2e_start "$(e2e_winpath "$file")"
    window=$(e2e_wait_window "$title")
    sleep 0.5  # let it paint
    e2e_screenshot "menu-$dpi-dpi" "$window"
    info=$(e2e_window_info "$title")
    CLIENT_WIDTH=$(e2e_records window <<<"$info" | e2e_field client_width)
    CLIENT_HEIGHT=$(e2e_records window <<<"$info" | e2e_field client_height)
    list=$(e2e_records control class=ListBox <<<"$info")
    ROW_HEIGHT=$(e2e_field item_height <<<"$list")
    x=$(e2e_field x <<<"$list") y=$(e2e_field y <<<"$list")
    width=$(e2e_field width <<<"$list") height=$(e2e_field height <<<"$list")
    LEFT=$x TOP=$y RIGHT=$((CLIENT_WIDTH - x - width)) BOTTOM=$((CLIENT_HEIGHT - y - height))
    printf 'at %s dpi: inner %sx%s, row %s, margins %s %s %s %s\n' "$dpi" "$CLIENT_WIDTH" \
        "$CLIENT_HEIGHT" "$ROW_HEIGHT" "$LEFT" "$TOP" "$RIGHT" "$BOTTOM"

    assert_eq "$dpi" "$(e2e_probe dpi | e2e_field dpi)" "the resolution programs are given"
    # The inner area is 3575 x 3410 twips; the margins are 100 twips; the font is Tahoma 9 pt.
    assert_near "$(pixels 3575 "$dpi")" "$CLIENT_WIDTH" 1 "inner width at $dpi dpi"
    assert_near "$(pixels 3410 "$dpi")" "$CLIENT_HEIGHT" 1 "inner height at $dpi dpi"
    local margin
    margin=$(pixels 100 "$dpi")
    assert_eq "$margin $margin" "$LEFT $TOP" "left and top margins at $dpi dpi"
    assert_near "$margin" "$RIGHT" 1 "right margin at $dpi dpi"
    assert_near "$margin" "$BOTTOM" 1 "bottom margin at $dpi dpi"
    local font icon row
    font=$(e2e_probe font Tahoma $((9 * dpi / 72)) | e2e_field height)
    icon=$((16 * dpi / 96))
    row=$((icon + 2 > font ? icon + 2 : font))
    assert_eq "$row" "$ROW_HEIGHT" \
        "row height at $dpi dpi: Tahoma $((9 * dpi / 72)) pixels high ($font) or the $icon-pixel icon and a pixel above and below"

    e2e_key "$window" Escape
    e2e_wait_exit 20
}

measure 96
width_96=$CLIENT_WIDTH height_96=$CLIENT_HEIGHT row_96=$ROW_HEIGHT
margins_96="$LEFT $TOP $RIGHT $BOTTOM"

measure 144
assert_near $((width_96 * 3 / 2)) "$CLIENT_WIDTH" 1 "inner width: 1.5 times"
assert_near $((height_96 * 3 / 2)) "$CLIENT_HEIGHT" 1 "inner height: 1.5 times"
read -r left top right bottom <<<"$margins_96"
assert_near $((left * 3 / 2)) "$LEFT" 1 "left margin: 1.5 times"
assert_near $((top * 3 / 2)) "$TOP" 1 "top margin: 1.5 times"
assert_near $((right * 3 / 2)) "$RIGHT" 1 "right margin: 1.5 times"
assert_near $((bottom * 3 / 2)) "$BOTTOM" 1 "bottom margin: 1.5 times"
# The rows hold the icons: 18 and 26 pixels (16 and 24 and a pixel above and below).
assert_near $((row_96 * 3 / 2)) "$ROW_HEIGHT" 1 "row height: 1.5 times"
