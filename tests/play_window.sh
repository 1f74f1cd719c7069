#!/usr/bin/env bash
# The game as `./halvorn.sh play` starts it, in a real window ("-window") on a
# virtual X display, driven by real X input (xdotool: the pointer put straight on
# each button's place in the window, then a click) from the start pictures
# through a new game, a club, the manager's name and the days to the user's
# first match shown in 3D.  A screenshot of the window must show the match:
# pitch green at the centre and the stands above it.  The picture is kept for
# a person to look at.  Closing the window then ends the game with status 0.
#   tests/play_window.sh <halvorn executable> <game folder> <folder for the pictures>
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
game_exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
game_dir=$2
out_dir=$3

for tool in Xvfb xdotool xwd convert import python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d /tmp/halvorn-play-XXXXXX)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

started=$(date +%s)
fail() {
    echo "FAILED after $(($(date +%s) - started)) s: $*"
    if [ -n "${window:-}" ]; then
        mkdir -p "$out_dir"
        import -window "$window" "$out_dir/failed.png" 2>/dev/null && echo "the window at the failure: $out_dir/failed.png"
    fi
    echo "--- the screens the day loop saw ---"
    tail -n 30 "$work/trace" 2>/dev/null || true
        echo "--- the game's output (last lines) ---"
    grep -v 'Scene(): ' "$work/game.log" 2>/dev/null | tail -n 30 || true
    exit 1
}

# The game runs in a folder of its own, laid out as build/game: the archive
# and the shipped database are the built ones, the saved games and edited
# names start empty, so a player's saves in build/game are never touched.
mkdir -p "$work/game/SaveData/GOALS" "$work/game/Edited"
ln -s "$(cd "$game_dir" && pwd)/pakfiles" "$work/game/pakfiles"
cp -r "$game_dir/stats" "$work/game/stats"

# The server picks a display number nobody uses and writes it once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 100); do
    display=$(cat "$work/display" 2>/dev/null || true)
    [ -n "$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
[ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$display"

# As `play` runs it (no video driver forced), but silent; the 3D device's
# channel logs every scene, which tells when the match is drawn.  The
# software rasteriser draws in the game's own thread, as in the other game
# tests: its helper threads cost more processor time than they save on a
# machine whose cores all run tests (the same walk, 28 against 23 CPU-s).
(
    cd "$work/game"
    unset SDL_VIDEODRIVER
    exec env SDL_AUDIODRIVER=dummy LP_NUM_THREADS="${LP_NUM_THREADS:-0}" "$game_exe" -window -debug direct3d=180
) >"$work/game.log" 2>&1 &
game_pid=$!

# The game loads its data before the window opens: at the start of a busy
# suite that can take well over half a minute.
window=""
for _ in $(seq 1200); do
    window=$(xdotool search --name '^Halvorn' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window opened"
    sleep 0.1
done
if [ -z "$window" ]; then
    # What the display holds, to tell a window with another title from none.
    echo "--- the display's windows ---"
    xwininfo -root -tree 2>&1 | grep -v '(has no name)' | head -n 20 || true
    fail "the game's window never opened"
fi

# ---- The screen ------------------------------------------------------------------------

# The colours (RRGGBB) at the window points given as x,y, from a picture of
# the window taken now; nothing while the window cannot be read.
colours() {
    local format="" point
    for point in "$@"; do format+="%[hex:p{$point}] "; done
    xwd -id "$window" -silent 2>/dev/null | convert xwd:- -format "$format" info: 2>/dev/null || true
}
hash_now() { xwd -id "$window" -silent 2>/dev/null | md5sum | cut -d' ' -f1; }
# Waits until two pictures a little apart are the same: a wipe or a fade has ended.
settle() {
    local before now
    before=$(hash_now)
    for _ in $(seq 100); do
        sleep 0.25
        now=$(hash_now)
        [ "$now" = "$before" ] && return 0
        before=$now
    done
}
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended on its own"; }

# What stands on the screen, from a few known points of each screen's layout:
# the title bar's Club button, the club screen's scroll arrows, the green
# continue tick at the bottom right, the team screen's pitch, the message
# box's face, the start screen's buttons and the match-day panels' wide bar.
SCREEN=""
read_screen() {
    local c
    read -r -a c <<<"$(colours 95,17 40,578 770,570 700,440 400,215 184,300 110,541 310,541 100,566 70,566)"
    [ ${#c[@]} -eq 10 ] || { SCREEN=unknown; return; }
    local title=${c[0]} scroll=${c[1]} tick=${c[2]} pitch=${c[3]} boxTop=${c[4]} boxSide=${c[5]}
    local newGame=${c[6]} loadGame=${c[7]} bar=${c[8]} apply=${c[9]}
    if [ "$boxTop" = 26344A ] && [ "$boxSide" = 26344A ]; then
        SCREEN=box
    elif [ "$newGame" = 5A5AA4 ] && [ "$loadGame" = 5A5AA4 ]; then
        SCREEN=start
    elif [ "$title" = B4B4D0 ] && [ "$scroll" = 2F63B0 ]; then
        SCREEN=club
    elif [ "$tick" = 2E9E4A ] && [ "$pitch" = 297D31 ]; then
        SCREEN=team
    elif [ "$tick" = 2E9E4A ] && [ "$apply" = 5A5AA5 ]; then
        SCREEN=clubinfo
    elif [ "$tick" = 2E9E4A ]; then
        SCREEN=tick
    elif [ "$title" != B4B4D0 ] && [ "$bar" = 251473 ]; then
        SCREEN=panel
    elif [ "$apply" = 525296 ] || { [ "$title" != B4B4D0 ] && [ "$bar" = 5A5AA4 ]; }; then
        # The division buttons, five or four of them centred in the bottom bar.
        SCREEN=division
    elif [ "$title" = B4B4D0 ]; then
        SCREEN=titled
    else
        SCREEN=other
    fi
}

# True once the screen is the one named, false when it has not come within
# the seconds given.
wait_within() {
    local deadline=$(($(date +%s) + $1))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        alive
        read_screen
        [ "$SCREEN" = "$2" ] && return 0
        sleep 0.2
    done
    return 1
}

# ---- The mouse and the keyboard --------------------------------------------------------

# In a window the game's cursor stands where the X pointer is, so every
# move puts the pointer at once at the point of the window, as a tablet, a
# remote desktop or a virtual machine's pointer does.
move() {
    xdotool mousemove --window "$window" "$1" "$2"
}
# A left click at x,y of the game's 800 x 600 screen; the button is held for
# the seconds given (the match-day panels read the button between fixtures).
click() {
    move "$1" "$2"
    xdotool sleep 0.05 mousedown 1 sleep "${3:-0.15}" mouseup 1
}

# The window manager's close: WM_DELETE_WINDOW sent to the window.
close_window() {
    python3 - "$window" <<'EOF'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("message", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
event = Event()
event.message.type = 33  # ClientMessage
event.message.window = int(sys.argv[1])
event.message.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.message.format = 32
event.message.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, int(sys.argv[1]), 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)
EOF
}

# ---- The start pictures, the start screen and a new game ------------------------------

# The start pictures end with a click once each has wiped in.
for _ in $(seq 20); do
    alive
    settle
    read_screen
    [ "$SCREEN" = start ] && break
    click 400 500
    sleep 0.3
done
[ "$SCREEN" = start ] || fail "the start screen never came"
echo "start screen after $(($(date +%s) - started)) s"

# The game answers the pointer: with the screen still, a small move of the
# pointer changes the picture (the game draws its own cursor) within the
# seconds given.  A game busy with work of its own (a new game's world set up)
# reads no input and leaves the picture still, or shows its moving busy cursor.
answers() {
    local deadline=$(($(date +%s) + $1)) before after
    while [ "$(date +%s)" -lt "$deadline" ]; do
        alive
        before=$(hash_now)
        sleep 0.5
        after=$(hash_now)
        if [ "$before" = "$after" ]; then
            xdotool mousemove_relative -- 24 24 sleep 0.3
            local moved=no
            for _ in $(seq 10); do
                [ "$(hash_now)" != "$after" ] && { moved=yes; break; }
                sleep 0.3
            done
            xdotool mousemove_relative -- -24 -24 sleep 0.3
            [ "$moved" = yes ] && return 0
        fi
        sleep 1
    done
    return 1
}

# Waits until the screen is no longer the one named, within the seconds given.
leaves_within() {
    local deadline=$(($(date +%s) + $1))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        alive
        read_screen
        [ "$SCREEN" != "$2" ] && [ "$SCREEN" != unknown ] && return 0
        sleep 0.2
    done
    return 1
}

# New Game; Scotland as the home country; the division's first club; its
# information and "Apply"; the manager's name.
# A click on the screen standing now, meant to lead to the
# screen named.  Once the screen has changed the walk waits for the one
# named without clicking again: under load a screen can take long to come,
# and a click sent meanwhile would land on the next screen.  The click is
# sent again (at most four times in all) only when the screen it was meant
# for still stands after a while and the game answers the pointer: then the
# click was lost (the game was busy when it came).
advance() {
    local x=$1 y=$2 want=$3 stage_start from try
    stage_start=$(date +%s)
    settle
    read_screen
    from=$SCREEN
    for try in 1 2 3 4; do
        click "$x" "$y"
        if leaves_within 20 "$from"; then
            wait_within 240 "$want" || fail "the screen $want never came (the screen is $SCREEN; it was $from)"
            settle
            echo "$want screen after $(($(date +%s) - started)) s ($(($(date +%s) - stage_start)) s from $from, $try click(s))"
            return 0
        fi
        answers 240 || fail "the game does not answer the pointer on the screen $from"
        read_screen
        [ "$SCREEN" = "$from" ] || [ "$SCREEN" = "$want" ] || fail "the screen $from became $SCREEN, not $want"
        if [ "$SCREEN" = "$want" ]; then
            settle
            return 0
        fi
    done
    fail "the screen $want never came (four clicks on the screen $from)"
}
advance 200 550 tick
# The Scottish league starts on the game's first day (an English club's
# first match day is its reserves', which is played without display): the
# user's first match shown comes within the first days.  Picking the
# home country also makes it the one league played, which lights its box in
# the right-hand column.
home_country_picked() {
    local c
    read -r -a c <<<"$(colours 410,265)"
    [ "${c[0]:-}" = 56569D ]
}
for _ in 1 2 3 4; do
    alive
    click 87 271
    for _ in $(seq 50); do
        home_country_picked && break 2
        sleep 0.2
    done
done
home_country_picked || fail "Scotland could not be made the home country"
advance 762 578 division
advance 220 119 clubinfo
advance 229 573 tick
click 400 315
sleep 0.3
xdotool key --delay 20 BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace \
    BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 60 HOLM
xdotool key Return
sleep 0.3
advance 762 578 club

# ---- The days to the user's first match shown ------------------------------------------

# A click whose answer is waited for: the picture once the pointer stands at
# x,y, the click, then until the picture has changed (at most the seconds
# given).  A fixed pause is too short on a loaded machine:
# the next click would come before the game has opened what it clicks on.
# ANSWERED tells whether the picture changed.
ANSWERED=0
click_answered() {
    local before deadline
    move "$1" "$2"
    sleep 0.3
    before=$(hash_now)
    xdotool sleep 0.05 mousedown 1 sleep 0.15 mouseup 1
    deadline=$(($(date +%s) + ${3:-8}))
    ANSWERED=0
    while [ "$(date +%s)" -lt "$deadline" ]; do
        [ "$(hash_now)" = "$before" ] || { ANSWERED=1; break; }
        sleep 0.2
    done
    sleep 0.3
}

# The name in the team list's second row: yellow while he is picked.
second_row_picked() {
    local yellow
    yellow=$(xwd -id "$window" -silent 2>/dev/null | convert xwd:- -crop 110x14+50+138 +repage -depth 8 txt:- 2>/dev/null |
        tail -n +2 | awk '{ split($2, v, /[(),]/); if (v[2] > 180 && v[3] > 180 && v[4] < 100) k++ } END { printf "%d", k }')
    [ "${yellow:-0}" -gt 20 ]
}

# The team screen after a refused "Play Match": the second player of the list
# picked and made captain, corner, penalty and free-kick taker.  A click of
# the list picks a player, a second one on him lets him go and one on
# another row swaps their shirts; a role takes the picked player and ends
# the pick.  So the pick is looked at before each role is clicked and after
# it: a click the game missed is sent again, and none is sent twice, which
# would swap players out of the team.
name_roles() {
    local role
    for role in "200 512" "200 535" "540 512" "540 535"; do
        for _ in 1 2 3 4; do
            alive
            if ! second_row_picked; then
                click_answered 120 145
                second_row_picked || continue
            fi
            click_answered $role
            second_row_picked || break
        done
    done
}

# The club screen's Continue, and its pop-up waited for: it opens under the
# pointer, over the dark strip below the button.
continue_popup() {
    click 568 573
    local c deadline=$(($(date +%s) + 10))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        read -r -a c <<<"$(colours 588,592 608,592 628,592)"
        [ ${#c[@]} -eq 3 ] && [ "${c[0]}${c[1]}${c[2]}" != 1A1D221A1D221A1D22 ] && return 0
        sleep 0.2
    done
    return 1
}

scenes() { grep -c 'D3DEndScene' "$work/game.log" 2>/dev/null || true; }

# Days until the match is drawn: at least 300 s, more when the menus went
# quickly, but ending in time for the picture and the close within the
# test's ten minutes.
club_at=$(date +%s)
deadline=$((started + 480))
[ "$deadline" -ge $((club_at + 300)) ] || deadline=$((club_at + 300))
club_visits=0
titled_reads=0
while [ "$(scenes)" -eq 0 ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "no match shown in $((deadline - club_at)) s of days"
    alive
    settle
    read_screen
    echo "$(($(date +%s) - started)) s: $SCREEN" >>"$work/trace"
    case $SCREEN in
        box)
            # A message box goes at a click.  A news flash that the day's
            # fixtures drew over the match-day panels looks the same, but it
            # stays until the panel is drawn again, and the panel waits for
            # its bar.
            click_answered 400 300
            if [ "$ANSWERED" -eq 0 ] && [ "$(colours 100,566)" = "251473 " ]; then
                click 400 573 0.6
                sleep 1
            fi
            ;;
        club)
            # Continue opens its pop-up under the pointer: "Play Match" is its
            # third row and answers only on a day the user plays; otherwise
            # the second, "Run On", moves the days on to his next match.
            club_visits=$((club_visits + 1))
            [ "$club_visits" -le 40 ] || fail "the days do not move on"
            if continue_popup; then
                # On a match day the club screen goes; a loaded game may take
                # seconds to leave it, and Run On must not be clicked then.
                click 590 589
                if ! leaves_within 5 club; then
                    settle
                    read_screen
                    if [ "$SCREEN" = club ] && continue_popup; then click 590 576; fi
                fi
            fi
            ;;
        team)
            name_roles
            click_answered 762 578
            ;;
        tick)
            click_answered 762 578
            ;;
        panel)
            # The team news' continue bar and then its "View Match" bar.  The
            # bar is read between the day's fixtures while they are played (the
            # picture keeps changing), so it is clicked again every few seconds
            # while the panels stand, not after a wait for a still picture: by
            # then the user's match would have been played unseen.
            for _ in $(seq 20); do
                click 400 573 0.6
                sleep 1
                [ "$(scenes)" -eq 0 ] || break
                read_screen
                [ "$SCREEN" = panel ] || break
            done
            ;;
        titled)
            # A screen the day's messages opened (a bid, talks, the inbox):
            # once it has stood a while, back to the club by the title bar's
            # Squad list, whose first row is the club screen.
            titled_reads=$((titled_reads + 1))
            if [ "$titled_reads" -ge 2 ]; then
                titled_reads=0
                click 246 17
                sleep 0.6
                click 280 19
            fi
            ;;
        *)
            sleep 0.3
            ;;
    esac
    [ "$SCREEN" = titled ] || titled_reads=0
done
echo "the match is drawn after $(($(date +%s) - started)) s ($(($(date +%s) - club_at)) s of days, $club_visits club screen(s))"

# Green: clearly greener than red and blue.  The centre of the screen is
# pitch; the band above it is stands: neither pitch nor black.
share() {
    convert "$picture" -crop "$1" +repage -depth 8 txt:- | tail -n +2 |
        awk -v kind="$2" '{
            split($2, v, /[(),]/); r = v[2]; g = v[3]; b = v[4]; n++
            if (kind == "green" && g > r + 10 && g > b + 10) k++
            if (kind == "stand" && !(g > r + 10 && g > b + 10) && r + g + b > 60) k++
        } END { printf "%d", n ? 100 * k / n : 0 }'
}

# The stadium's fixed cameras (the Right key, held while a few frames are
# drawn, steps to the next) look across the pitch at a stand; where each
# stands, and so how much of the picture is stand, is the stadium's own, and
# the camera turns to follow play.  A second of the match from the camera,
# then its picture; another second and another picture when that one does
# not show the pitch below a stand; then the next camera.  A key pressed
# while the display was still starting may go unseen: the next press steps
# on all the same.
mkdir -p "$out_dir"
picture="$out_dir/first_match.png"
seconds_of_match() {
    local drawn
    drawn=$(scenes)
    for _ in $(seq 300); do
        [ "$(scenes)" -ge $((drawn + 50)) ] && return 0
        alive
        sleep 0.1
    done
    # A slow display is looked at as it stands; one that draws nothing more
    # would leave every camera's picture the same.
    [ "$(scenes)" -gt "$drawn" ]
}
centre=0
stands=0
for _ in 1 2 3 4 5 6; do
    # Time left for the close within the test's ten minutes.
    [ "$(date +%s)" -lt $((started + 540)) ] || break
    xdotool keydown Right sleep 0.2 keyup Right
    for _ in 1 2; do
        seconds_of_match || fail "the match is no longer drawn: no frame in 30 s"
        import -window "$window" "$picture" || fail "no picture of the window"
        centre=$(share 300x160+250+220 green)
        stands=$(share 800x80+0+70 stand)
        [ "$centre" -ge 60 ] && [ "$stands" -ge 50 ] && break 2
    done
done
echo "picture of the match: $picture"
echo "pitch green at the centre: $centre%; stands in the band above: $stands%"
[ "$centre" -ge 60 ] || fail "the centre of the match picture is not pitch green ($centre%)"
[ "$stands" -ge 50 ] || fail "no stands above the pitch ($stands%)"

# Closing the window: the match runs on undrawn, the day ends, the game quits.
close_window
status=0
for _ in $(seq 600); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then fail "the game did not end within 60 s of the window's close"; fi
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status after the window's close"
echo "the game ended with status 0 after the window's close; $(($(date +%s) - started)) s in all"
