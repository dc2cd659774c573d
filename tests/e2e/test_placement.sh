#!/usr/bin/env bash
# Each menu file keeps its own window placement: a file shown for the first time opens centred
# at the default size; moved and sized, closed with Esc and opened again, it comes back where
# it was left, whatever another file's window did meanwhile.
source "$(dirname "$0")/lib/harness.sh"

placements='HKCU\Software\Brindle\ShowLarkspur\Window Placements'
read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"

printf '[Options]\r\nTitle=Меню А\r\n[Item 0]\r\nTitle=Один\r\nFileName=cmd.exe\r\n' >"$E2E_WORK/a.Larkspur"
printf '[Options]\r\nTitle=Меню Б\r\n[Item 0]\r\nTitle=Два\r\nFileName=cmd.exe\r\n' >"$E2E_WORK/b.Larkspur"

# Opens the menu file, checks that its window is centred at the default size (3575 x 3410
# twips inside, 238 x 227 pixels at 96 dpi), drags it by its caption and by its lower right
# corner and closes it with Esc. PLACE is then the window's "x y width height" as it was closed.
first_run() {
    local file=$1 title=$2 dx=$3 dy=$4 dwidth=$5 dheight=$6 window x y width height info
    e2e_start "$(e2e_winpath "$file")"
    window=$(e2e_wait_window "$title")
    info=$(e2e_window_info "$title" | e2e_records window)
    assert_near 238 "$(e2e_field client_width <<<"$info")" 1 "$title: default inner width"
    assert_near 227 "$(e2e_field client_height <<<"$info")" 1 "$title: default inner height"
    read -r x y width height <<<"$(e2e_geometry "$window")"
    assert_near $(((screen_width - width) / 2)) "$x" 1 "$title: centred across"
    assert_near $(((screen_height - height) / 2)) "$y" 1 "$title: centred down"

    e2e_drag $((x + 40)) $((y + 10)) $((x + 40 + dx)) $((y + 10 + dy))
    assert_shows "$((x + dx)) $((y + dy)) $width $height" "$title: moved by its caption" \
        e2e_geometry "$window"
    x=$((x + dx)) y=$((y + dy))
    e2e_drag $((x + width - 2)) $((y + height - 2)) $((x + width - 2 + dwidth)) \
        $((y + height - 2 + dheight))
    PLACE="$x $y $((width + dwidth)) $((height + dheight))"
    assert_shows "$PLACE" "$title: sized by its corner" e2e_geometry "$window"
    e2e_screenshot "$(basename "$file" .Larkspur)-moved"
    e2e_key "$window" Escape
    e2e_wait_exit 20
}

# Opens the menu file again; PLACE is where its window appears.
second_run() {
    local file=$1 title=$2 window
    e2e_start "$(e2e_winpath "$file")"
    window=$(e2e_wait_window "$title")
    PLACE=$(e2e_geometry "$window")
    e2e_screenshot "$(basename "$file" .Larkspur)-restored"
    e2e_key "$window" Escape
    e2e_wait_exit 20
}

first_run "$E2E_WORK/a.Larkspur" "Меню А" -250 -180 120 70
a_left=$PLACE
first_run "$E2E_WORK/b.Larkspur" "Меню Б" 230 150 -40 90
b_left=$PLACE
assert_ne "$a_left" "$b_left" "the two windows' places as they were closed"

a_value=$(e2e_reg_get "$placements" "$(e2e_winpath "$E2E_WORK/a.Larkspur")") ||
    e2e_fail "no placement stored for a.Larkspur"
b_value=$(e2e_reg_get "$placements" "$(e2e_winpath "$E2E_WORK/b.Larkspur")") ||
    e2e_fail "no placement stored for b.Larkspur"
assert_ne "$a_value" "$b_value" "the placements stored for the two files"

second_run "$E2E_WORK/a.Larkspur" "Меню А"
assert_eq "$a_left" "$PLACE" "menu А reopened where it was left"
second_run "$E2E_WORK/b.Larkspur" "Меню Б"
assert_eq "$b_left" "$PLACE" "menu Б reopened where it was left"
