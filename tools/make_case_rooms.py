#!/usr/bin/env python3
"""Writes the text files of the sample tree's smaller scenes, their hotspots
and close-ups, and the hotspots that tie the case together:

    scenes/<id>/scene.txt, cameras.txt, lights_low.txt, waypoints.txt,
        navigation.txt, sounds.txt     for each scene of SCENES: the first
        scenes of the four cases (case01/riverbank, case02/hotel_room,
        case03/brownstone, case04/victimshotel), the rooms the puzzles'
        solutions lead to, and "puzzles", the precinct's evidence room
    scenes/<id>/hotspots_<viewpoint>.txt, closeups_<viewpoint>.txt and the
        close-ups' pictures (200 x 150, drawn four times as large)
    scenes/case01/riverbank/cufflink.tga  the cuff link on the quay
    scenes/case01/riverbank/evidence.txt  where the detective walks to
    scenes/precinct/hotspots_squadroom.txt  the case files on the front desk
        (their use opens the case selection), the way to the evidence
        room (the glass room at the back) and the crime lab's booth (its
        front)
    scenes/case01/office/hotspots_office.txt  the profiling computer's
        hotspot, in a block of its own at the end
    scenes/scenes.txt                 the placards, in a block at the end

The depth meshes and backgrounds come after, from tools/make_case_scenes.cpp,
which draws the rooms through the cameras written here. Every small room
shares one camera and one walkable ground; the hotspots lie on the
furniture that make_case_scenes.cpp builds, found by projecting its boxes
through the viewpoint's camera. The tool checks that a man standing on any
corner of the walkable ground is whole on the screen.

    tools/make_case_rooms.py [data folder]
"""
import math
import os
import sys

from make_pda_map import replace_block
from make_puzzles import emit
from puzzle_art import Canvas, Font, bgra

WIDTH, HEIGHT = 800, 600
MAN_HEIGHT, MAN_HALF_WIDTH = 71.0, 14.0

# (eye, target, horizontal field of view) in the world of the depth meshes.
ROOM_CAMERA = ((0.0, 125.0, -75.0), (0.0, 28.0, 220.0), 1.2)
CORNER_CAMERA = ((150.0, 110.0, -60.0), (-30.0, 30.0, 220.0), 1.15)
PRECINCT_CAMERA = ((-205.0, 118.0, -62.0), (30.0, 28.0, 230.0), 1.2)

# The walkable ground of the small rooms (x, world z): clear of the
# furniture, which stands from z 250 on or beyond x 150.
ROOM_GROUND = [(-40, 70), (40, 70), (130, 150), (130, 240), (-130, 240), (-130, 150)]
CORNER_GROUND = [(-60, 120), (60, 110), (110, 150), (110, 240), (-60, 240)]
ROOM_WAYPOINTS = [
    ("entrance", (0, 85), ["center"]),
    ("center", (0, 160), ["entrance", "left", "right", "back"]),
    ("left", (-100, 195), ["center", "back"]),
    ("right", (100, 195), ["center", "back"]),
    ("back", (0, 232), ["center", "left", "right"]),
]

# The way out of every small room: its door in the left wall, nearer than
# the camera sees, so a strip along the screen's left edge.
ROOM_DOOR = (0, 150, 40, 400)


def sub(a, b):
    return tuple(x - y for x, y in zip(a, b))


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(a):
    length = math.sqrt(dot(a, a))
    return tuple(x / length for x in a)


def project(camera, point):
    """The screen point of a world point, as the engine's look-at camera
    with a 4:3 picture shows it."""
    eye, target, fovx = camera
    forward = unit(sub(target, eye))
    right = unit(cross((0.0, 1.0, 0.0), forward))
    up = cross(forward, right)
    d = sub(point, eye)
    x, y, z = dot(d, right), dot(d, up), dot(d, forward)
    if z < 1.0:
        sys.exit("%s is behind the camera at %s" % (point, eye))
    t = math.tan(fovx / 2)
    return WIDTH / 2 * (1 + x / (z * t)), HEIGHT / 2 * (1 - y * WIDTH / HEIGHT / (z * t))


def box_rect(camera, box, pad=4):
    """x|y|width|height of the screen rectangle round a world box."""
    (x0, y0, z0), (x1, y1, z1) = box
    points = [project(camera, (x, y, z)) for x in (x0, x1) for y in (y0, y1) for z in (z0, z1)]
    left = max(0, int(min(p[0] for p in points)) - pad)
    top = max(0, int(min(p[1] for p in points)) - pad)
    right = min(WIDTH, int(math.ceil(max(p[0] for p in points))) + pad)
    bottom = min(HEIGHT, int(math.ceil(max(p[1] for p in points))) + pad)
    return left, top, right - left, bottom - top


def check_ground(where, camera, ground):
    for x, z in ground:
        for dx in (-MAN_HALF_WIDTH, MAN_HALF_WIDTH):
            for y in (0.0, MAN_HEIGHT):
                sx, sy = project(camera, (x + dx, y, z))
                if not (0 <= sx <= WIDTH and 0 <= sy <= HEIGHT):
                    sys.exit("%s: a man at %d|%d leaves the screen (%d, %d)" % (where, x, z, sx, sy))


def numbers(values):
    return "|".join("%g" % v for v in values)


def rect_text(rect):
    return "%d|%d|%d|%d" % rect


# ---- hotspots ----------------------------------------------------------------

def boundary(rect):
    return ("boundary", [("type", "rectangle"), ("coords", rect_text(rect)), ("position", "0|0")])


def menu_place(rect):
    """The five-action menu opens beside the hotspot, inside the screen."""
    x, y, w, h = rect
    mx = x + w + 10 if x + w + 170 < WIDTH else max(10, x - 170)
    return "%d|%d" % (mx, min(max(10, y), HEIGHT - 180))


def general(ident, rect, comment, look=False, use=None, collect=None, operating=None, collect_anim=None,
            display=None, enabled="script[true]", interest=None):
    """A general hotspot; use and collect are (done events, state changes)
    or None when the action is off."""
    def action(key, results):
        if results is None:
            return (key, [("enabled", "script[false]")])
        items = [("enabled", "script[true]")]
        events, states = results
        if events:
            items.append(("doneevents", events))
        if states:
            items.append(("statechanges", states))
        return (key, items)

    entry = [("id", ident), ("type", "general"), ("enabled", enabled)]
    if display is not None:
        entry.append(("display", [("memberid", display[0]), ("visible", display[1])]))
    entry.append(boundary(rect))
    menu = [("position", menu_place(rect))]
    if operating:
        menu.append(("operatingid", operating))
    if collect_anim:
        menu.append(("collectanim", collect_anim))
    menu += [
        ("look", [("enabled", "script[%s]" % ("true" if look else "false"))]),
        action("collect", collect),
        action("use", use),
        ("analyze", [("enabled", "script[false]")]),
        ("talk", [("enabled", "script[false]")]),
    ]
    data = [("multicursor", menu)]
    if interest:
        data.append(("objectofinterest", [("id", interest)]))
    return (comment, (ident, entry + [("data", data)]))


def opener(ident, rect, comment, state, interest=None):
    """A hotspot whose use sets a boolean state true."""
    return general(ident, rect, comment, use=("", "%s|boolean|true" % state), interest=interest)


def navigate(ident, rect, comment, scene=None, viewpoint=None, waypoint=None, direction="left"):
    data = [("enabled", "script[true]")]
    if scene:
        data.append(("sceneid", scene))
    if viewpoint:
        data.append(("viewpointid", viewpoint))
    if waypoint:
        data.append(("targetwaypoint", waypoint))
    data.append(("cursordirection", direction))
    entry = [("id", ident), ("type", "navigate"), ("enabled", "script[true]"), boundary(rect), ("data", []),
             ("typedata", [("navigate", data)])]
    return (comment, (ident, entry))


def interview(ident, rect, comment, interview_id, menu, window):
    """A hotspot whose talk starts an interview, its window at the given place."""
    entry = [("id", ident), ("type", "interview"), ("enabled", "script[true]"), boundary(rect),
             ("data", [("multicursor", [("position", menu),
                                        ("look", [("enabled", "false")]),
                                        ("talk", [("enabled", "script[true]")]),
                                        ("use", [("enabled", "false")]),
                                        ("collect", [("enabled", "false")]),
                                        ("analyze", [("enabled", "false")])])]),
             ("typedata", [("interview", [("enabled", "script[true]"), ("interviewid", interview_id),
                                          ("position", window), ("seated", "false")])])]
    return (comment, (ident, entry))


def target(ident, rect, comment, items):
    entry = [("id", ident), ("type", "target"), ("enabled", "script[true]"), boundary(rect), ("data", []),
             ("typedata", [("target", [("enabled", "script[true]"), ("satisfied", items)])])]
    return (comment, (ident, entry))


def check_apart(where, hotspots):
    """No two hotspots of a viewpoint share a pixel: a click finds one."""
    rects = [(ident, next(value for key, value in entry if key == "boundary")[1][1])
             for _, (ident, entry) in hotspots]
    for i, (first, a) in enumerate(rects):
        ax, ay, aw, ah = (int(v) for v in a.split("|"))
        for second, b in rects[i + 1:]:
            bx, by, bw, bh = (int(v) for v in b.split("|"))
            if ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah:
                sys.exit("%s: the hotspots %s and %s overlap" % (where, first, second))


def hotspot_lines(hotspots):
    lines = []
    for comment, entry in hotspots:
        lines += ["// " + line for line in comment.splitlines()]
        lines += emit([entry])
    return lines


# ---- close-ups ---------------------------------------------------------------

TITLE = Font("TW_CEN_MT16", 20)


def closeup_picture(title, base, detail):
    """A small picture of the detail: a panel in its colours with its name."""
    canvas = Canvas(200, 150, bgra(*base))
    canvas.fill(20, 24, 180, 126, bgra(*detail))
    canvas.frame(20, 24, 180, 126, bgra(30, 24, 20), 2)
    canvas.fill(40, 60, 160, 100, bgra(*(min(255, c + 60) for c in detail)))
    canvas.centred_text(100, 12, title, TITLE, bgra(250, 240, 220))
    return canvas


def closeup(ident, state, title, base, detail):
    """A close-up entry with its picture: (entry, picture file, canvas)."""
    picture = "cu_%s.tga" % ident
    entry = (ident, [
        ("id", ident),
        ("displaygroup", [
            ("id", ident),
            ("sprites", [("bg", [("id", "bg"), ("texture", picture), ("scale", "4|4")])]),
        ]),
        ("triggerstate", state),
        ("openedevent", "evt_%s_opened" % ident),
    ])
    return entry, picture, closeup_picture(title, base, detail)


# ---- the scenes --------------------------------------------------------------

def room_viewpoint(ident, camera_id, hotspots, closeups=(), camera=ROOM_CAMERA, ground=ROOM_GROUND,
                   start="entrance", sprites=()):
    return {"id": ident, "camera_id": camera_id, "camera": camera, "ground": ground, "start": start,
            "hotspots": hotspots, "closeups": list(closeups), "sprites": list(sprites)}


def door_to(scene, viewpoint, right=False):
    """The way out; on the right where the left wall has something else."""
    if right:
        return navigate("door", (WIDTH - ROOM_DOOR[2], ROOM_DOOR[1], ROOM_DOOR[2], ROOM_DOOR[3]),
                        "door: the way out on the right, to %s." % scene, scene, viewpoint, "right", "right")
    return navigate("door", ROOM_DOOR, "door: the way out on the left, to %s." % scene, scene, viewpoint,
                    "entrance")


def puzzle_spot(ident, camera, box, state, what):
    return opener(ident, box_rect(camera, box), "%s: using it opens the puzzle (%s)." % (ident, what), state)


PUZZLES = [
    # (locker id, what its use does: a state set true, or an event added)
    ("cigarband", "state", "sta_cigarbandpuzzle_active"),
    ("keypad", "state", "sta_keypadpuzzle_active"),
    ("slidebox", "state", "sta_slideboxpuzzle_active"),
    ("floorsafe", "state", "sta_floorsafepuzzle_active"),
    ("pobox", "state", "sta_poboxpuzzle_active"),
    ("painting", "state", "sta_paintingpuzzle_active"),
    # The map takes no input and has no back button: the event that opens
    # it for four seconds is its way in from a hotspot.
    ("map", "event", "evt_1ce09_rg_sounddone"),
    ("crossword", "state", "sta_crosswordpuzzle_active"),
    ("receipt", "state", "sta_receiptpuzzle_active"),
    ("pcdesktop", "state", "sta_pcdesktoppuzzle_active"),
    ("chasephoto", "state", "sta_chasephotopuzzle_active"),
    ("hotelwindow", "state", "sta_hotelwindowpuzzle_active"),
    ("dravobox", "state", "sta_dravoboxpuzzle_active"),
    ("roomservice", "state", "sta_roomservicepuzzle_active"),
    ("baseballbat", "state", "sta_baseballbatpuzzle_active"),
    ("harp", "state", "sta_harppuzzle_active"),
    ("velmire", "state", "sta_velmirepuzzle_active"),
    ("surveillancetape", "state", "sta_surveillancetapepuzzle_active"),
]


def locker_front(number):
    """The door of locker number (0 to 17) on the evidence room's back wall,
    six to a row from the top left (tools/make_case_scenes.cpp, EvidenceRoom)."""
    row, column = divmod(number, 6)
    x = -180 + 60 * column
    y = 88 - 40 * row
    return (x, y, 306), (x + 56, y + 36, 306)


def evidence_room():
    hotspots = []
    for number, (ident, kind, name) in enumerate(PUZZLES):
        rect = box_rect(ROOM_CAMERA, locker_front(number), -1)
        comment = "locker_%s: locker %d; using it opens the %s puzzle." % (ident, number + 1, ident)
        if kind == "state":
            hotspots.append(general("locker_" + ident, rect, comment, use=("", "%s|boolean|true" % name)))
        else:
            hotspots.append(general("locker_" + ident, rect, comment, use=(name, "")))
    hotspots.append(target("hs_lamptarget", box_rect(ROOM_CAMERA, ((164, 0, 192), (184, 104, 212))),
                           "hs_lamptarget: the lamp; the receipt's three parts are held to its light.",
                           "3tc07|3tc08|3tc09"))
    hotspots.append(door_to("precinct", "vp_squadroom"))
    return hotspots


COBBLE_SPOT = (60.0, 0.0, 130.0)
CUFFLINK_SIZE = (20, 12)


def cufflink_place():
    x, y = project(ROOM_CAMERA, COBBLE_SPOT)
    return int(x) - CUFFLINK_SIZE[0] // 2, int(y) - CUFFLINK_SIZE[1] // 2


def cufflink_picture():
    w, h = CUFFLINK_SIZE
    canvas = Canvas(w, h)
    gold, dark = bgra(226, 190, 90), bgra(120, 90, 30)
    canvas.disc(6, 6, 5, dark)
    canvas.disc(6, 6, 4, gold)
    canvas.fill(10, 5, 16, 8, dark)
    canvas.disc(16, 6, 3, gold)
    return canvas


def riverbank():
    x, y = cufflink_place()
    w, h = CUFFLINK_SIZE
    taken = "evt_1rb01_collected"
    return [
        general("cufflink", (x - 6, y - 6, w + 12, h + 12),
                "cufflink: a gold cuff link between the cobbles; collecting it gives the\n"
                "inventory's \"1rb01\" (the detective picks it up from the ground).",
                collect=(taken, ""), operating="1rb01", collect_anim="ground",
                display=("cufflink", "script[!e[%s]]" % taken), enabled="script[!e[%s]]" % taken,
                interest="cufflink"),
        opener("boathouse", box_rect(ROOM_CAMERA, ((-150, 0, 246), (-90, 80, 250))),
               "boathouse: the boathouse door and its keypad; using it opens the\n"
               "combination lock, whose solution leads into case01/castillosecretapt.",
               "sta_keypadpuzzle_active", "boathouse"),
        navigate("to_hotel", (700, 150, 100, 300),
                 "to_hotel: up the street on the right, to the hotel's lobby.", "case01/lobby", "vp_entrance",
                 "right", "right"),
    ]


SCENES = [
    {
        "id": "case01/riverbank", "what": "The quay by the river where case one begins: cobbles, the railing,\n"
        "the boathouse with its keypad at the back left, a lamp post and a\n"
        "bollard on the right.",
        "placard": ("Harbour Quay|Riverbank", "Below Harbour Street|Port Kestrel"),
        "sound": "step_tile",
        "viewpoints": [room_viewpoint("vp_riverbank", "cam_riverbank", riverbank(), sprites=[
            ("cufflink", "cufflink.tga", cufflink_place())])],
        "evidence": [("cufflink", COBBLE_SPOT, (40, 110), 25), ("boathouse", (-120, 50, 250), (-110, 225), 30)],
    },
    {
        "id": "case02/hotel_room", "what": "The hotel room of case two: the bed, a night stand and the room\n"
        "service cart by the right wall.",
        "placard": ("The Grand Albion|Room 409", "Esplanade|Port Kestrel"),
        "sound": "step_carpet",
        "viewpoints": [room_viewpoint("vp_dead_body", "cam_dead_body", [
            puzzle_spot("cart", ROOM_CAMERA, ((120, 0, 255), (180, 42, 295)), "sta_roomservicepuzzle_active",
                        "the room service receipt"),
            door_to("precinct", "vp_squadroom")],
            [closeup("2st07", "sta_cu_2st07_visible", "2ST07 - THE RECEIPT", (80, 30, 30), (230, 226, 210))])],
    },
    {
        "id": "case03/brownstone", "what": "The parlour of the brownstone where case three begins: the\n"
        "fireplace, the sofa and the bookcase.",
        "placard": ("The Brownstone|Parlour", "22 Linden Row|Port Kestrel"),
        "sound": "step_wood",
        "viewpoints": [room_viewpoint("vp_parlor", "cam_parlor", [door_to("precinct", "vp_squadroom")])],
    },
    {
        "id": "case04/victimshotel", "what": "The victim's hotel room of case four: the bed, the suitcase and\n"
        "the desk.",
        "placard": ("Hotel Meridian|Room 12", "3 Quay Lane|Port Kestrel"),
        "sound": "step_carpet",
        "viewpoints": [room_viewpoint("vp_room", "cam_room", [door_to("precinct", "vp_squadroom")])],
    },
    {
        "id": "case01/castillosecretapt", "what": "The secret flat behind the boathouse's keypad door: the\n"
        "painting on the back wall, the bed and the dresser. The keypad's\n"
        "solution leads to vp_start, the painting's to vp_bedroom.",
        "placard": ("The Boathouse|Hidden Flat", "Harbour Quay|Port Kestrel"),
        "sound": "step_wood",
        "viewpoints": [
            room_viewpoint("vp_start", "cam_start", [
                navigate("to_bedroom", (560, 120, 240, 330), "to_bedroom: over to the bed and the painting.",
                         viewpoint="vp_bedroom", direction="right"),
                door_to("case01/riverbank", "vp_riverbank")]),
            room_viewpoint("vp_bedroom", "cam_bedroom", [
                puzzle_spot("painting", CORNER_CAMERA, ((-46, 48, 316), (46, 112, 320)),
                            "sta_paintingpuzzle_active", "the painting"),
                navigate("to_start", (0, 300, 90, 300), "to_start: back towards the door.", viewpoint="vp_start",
                         direction="left")],
                [closeup("1cs08", "sta_cu_1cs08_visible", "1CS08 - BEHIND THE PAINTING", (50, 40, 60),
                         (110, 100, 80))],
                camera=CORNER_CAMERA, ground=CORNER_GROUND, start="center"),
        ],
    },
    {
        "id": "case01/franksapt", "what": "Frank's bedroom: the bed and the dresser with the lock box.",
        "placard": ("Frank's Flat|Bedroom", "9 Tanner Street|Port Kestrel"),
        "sound": "step_wood",
        "viewpoints": [room_viewpoint("vp_bedroom", "cam_bedroom", [
            puzzle_spot("lockbox", ROOM_CAMERA, ((90, 50, 290), (130, 66, 310)), "sta_slideboxpuzzle_active",
                        "the sliding lock box"),
            door_to("case01/riverbank", "vp_riverbank")],
            [closeup("1fd03", "sta_cu_1fd03_visible", "1FD03 - THE LOCK BOX", (60, 70, 56), (70, 72, 80))])],
    },
    {
        "id": "case01/castilloapt", "what": "Castillo's kitchen: the counters, the fridge and the floor safe's\n"
        "hatch before them.",
        "placard": ("Castillo's Flat|Kitchen", "40 Gull Street|Port Kestrel"),
        "sound": "step_tile",
        "viewpoints": [room_viewpoint("vp_kitchen", "cam_kitchen", [
            puzzle_spot("hatch", ROOM_CAMERA, ((-20, 0, 255), (20, 2, 280)), "sta_floorsafepuzzle_active",
                        "the floor safe"),
            door_to("case01/riverbank", "vp_riverbank")],
            [closeup("1ca12", "sta_cu_1ca12_visible", "1CA12 - THE FLOOR SAFE", (90, 90, 84), (50, 50, 56))])],
    },
    {
        "id": "case04/upsstore", "what": "The parcel shop: the wall of mailboxes on the left and the counter.",
        "placard": ("Parcel Post|Mailboxes", "Market Street|Port Kestrel"),
        "sound": "step_tile",
        "viewpoints": [room_viewpoint("vp_mailboxesleft", "cam_mailboxesleft", [
            puzzle_spot("mailboxes", ROOM_CAMERA, ((-200, 0, 150), (-178, 120, 300)), "sta_poboxpuzzle_active",
                        "the post office box"),
            door_to("precinct", "vp_squadroom", right=True)],
            [closeup("4mb02", "sta_cu_4mb02_visible", "4MB02 - BOX 1138", (120, 110, 90), (196, 160, 70))])],
    },
    {
        "id": "case03/chase", "what": "Chase's kitchen and bath: the counter with its drawer and the bath.",
        "placard": ("Chase's Flat|Kitchen", "5 Mill Lane|Port Kestrel"),
        "sound": "step_tile",
        "viewpoints": [room_viewpoint("vp_kitbath", "cam_kitbath", [
            puzzle_spot("drawer", ROOM_CAMERA, ((-120, 24, 278), (-60, 36, 282)), "sta_chasephotopuzzle_active",
                        "the photographs in the drawer"),
            door_to("precinct", "vp_squadroom")],
            [closeup("3tc02", "sta_3tc02_visible", "3TC02 - THE DRAWER", (110, 70, 40), (230, 220, 190))])],
    },
    {
        "id": "case02/lisa_apt_upstairs", "what": "Lisa's bedroom at the top of the stairs: the bed and the\n"
        "Dravo box on the night stand.",
        "placard": ("Lisa's Flat|Upstairs", "17 Orchard Road|Port Kestrel"),
        "sound": "step_wood",
        "viewpoints": [room_viewpoint("vp_stairs_bedroom", "cam_stairs_bedroom", [
            puzzle_spot("dravo_box", ROOM_CAMERA, ((-22, 30, 294), (2, 42, 312)), "sta_dravoboxpuzzle_active",
                        "the Dravo box"),
            door_to("precinct", "vp_squadroom")],
            [closeup("2ls16c", "sta_2ls16c_visible", "2LS16C - THE DRAVO BOX", (90, 50, 60), (128, 52, 26))])],
    },
    {
        "id": "case02/stokes_upstairs", "what": "Stokes's bedroom: the bed and the harp by the right wall.",
        "placard": ("The Stokes House|Upstairs", "1 Cliff Road|Port Kestrel"),
        "sound": "step_wood",
        "viewpoints": [room_viewpoint("vp_bedroom", "cam_bedroom", [
            puzzle_spot("harp", ROOM_CAMERA, ((150, 0, 230), (170, 104, 270)), "sta_harppuzzle_active",
                        "the harp"),
            door_to("precinct", "vp_squadroom")],
            [closeup("2sh10", "sta_cu_2sh10_visible", "2SH10 - INSIDE THE HARP", (60, 50, 80), (199, 158, 71))])],
    },
    {
        "id": "puzzles", "what": "The precinct's evidence room, reached from the squad room: eighteen\n"
        "lockers on the back wall, one for each puzzle of the four cases (its\n"
        "use opens the puzzle), and a lamp.",
        "placard": ("Port Kestrel Police|Evidence Room", "14 Bay Road|Port Kestrel"),
        "sound": "step_tile",
        "viewpoints": [room_viewpoint("vp_evidence", "cam_evidence", evidence_room())],
    },
]


# ---- writing -----------------------------------------------------------------

def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def header(text):
    return ["// " + line for line in text.splitlines()] + ["// Written by tools/make_case_rooms.py."]


def scene_file(scene):
    lines = header(scene["what"])
    lines += emit([("characters", [("player", [("kestrin", [("data", "kestrin.txt")])]), ("npcs", [])])])
    lines.append("defaultviewpoint=" + scene["viewpoints"][0]["id"])
    views = []
    for view in scene["viewpoints"]:
        name = view["id"]
        items = [("background", name + ".tga"), ("depthmesh", scene["id"].split("/")[-1] + "_depth.lim"),
                 ("camera", [("id", view["camera_id"])]), ("hotspots", "hotspots_" + name[3:]),
                 ("startwaypoint", view["start"]), ("startdirection", "0|0|1"), ("shadowcaster", "daylight"),
                 ("shadowblend", "0.35")]
        if view["closeups"]:
            items.append(("closeups", "closeups_%s.txt" % name[3:]))
        if view["sprites"]:
            items.append(("displaygroup", [("id", "displaygroup"), ("sprites", [
                (ident, [("id", ident), ("texture", texture), ("position", "%d|%d" % place)])
                for ident, texture, place in view["sprites"]])]))
        views.append((name, items))
    return lines + emit([("viewpoints", views)])


def camera_file(scene):
    items = []
    for view in scene["viewpoints"]:
        eye, look, fovx = view["camera"]
        items.append((view["camera_id"], [("position", numbers(eye)), ("target", numbers(look)),
                                          ("fovx", "%g" % fovx), ("znear", "10"), ("zfar", "2000"),
                                          ("upvector", "0|1|0")]))
    return header("The cameras (see case01/lobby/cameras.txt for the conventions).") + emit(items)


def light_file():
    return header("Daylight, the one global light, and a soft fill for every camera.") + emit([
        ("daylight", [("type", "directional"), ("diffuse", "0.55|0.55|0.52"), ("specular", "0|0|0"),
                      ("ambient", "0.42|0.41|0.4"), ("direction", "-0.4|-0.75|0.5"), ("global", "true"),
                      ("on", "true"), ("shadowcaster", "true"), ("shadowblend", "0.35"), ("cameras", "all")]),
        ("fill", [("type", "directional"), ("diffuse", "0.16|0.16|0.15"), ("specular", "0|0|0"),
                  ("ambient", "0|0|0"), ("direction", "0.5|-0.4|0.6"), ("on", "true"), ("cameras", "all")]),
    ])


def navigation_file(scene):
    lines = header("Walkable ground (see case01/lobby/navigation.txt for the form); the\n"
                   "furniture stands outside it.")
    for view in scene["viewpoints"]:
        check_ground(scene["id"] + " " + view["id"], view["camera"], view["ground"])
        lines.append("PS_%s(WG_floor)(%s)" % (view["id"][3:], view["camera_id"]))
        lines.append("\tcoords=" + "|".join("%d|%d" % corner for corner in view["ground"]))
    return lines


def waypoint_file():
    lines = header("Waypoints (see case01/lobby/waypoints.txt): \"entrance\" inside the way in.")
    for ident, (x, z), links in ROOM_WAYPOINTS:
        lines += emit([(ident, [("coords", "%d|%d" % (x, z)), ("links", "|".join(links))])])
    return lines


def evidence_file(objects):
    lines = header("The objects of the hotspots (see case01/lobby/evidence.txt).")
    for ident, point, ground, radius in objects:
        lines += emit([(ident, [("coords", numbers(point)), ("vcoords", numbers(ground)),
                                ("radius", "%d" % radius)])])
    return lines


def precinct_hotspots():
    desk = box_rect(PRECINCT_CAMERA, ((-172, 0, 98), (-78, 52, 146)), 0)
    x, y, w, h = box_rect(PRECINCT_CAMERA, ((110, 0, 257), (240, 110, 360)), 0)
    # The glass room's side wall leads in; its front is the crime lab's booth.
    front = 459
    return header("The hotspots of the squad room's viewpoint (vp_squadroom), in screen pixels.") + hotspot_lines([
        opener("casefiles", desk,
               "casefiles: the case files on the front desk; using them opens the case\n"
               "selection.", "sta_caseselection_active"),
        navigate("to_evidence", (x, y, front - x, h),
                 "to_evidence: the side of the glass room in the back right corner, the\n"
                 "evidence room, where each puzzle has its locker.", "puzzles", "vp_evidence", "office", "right"),
        interview("crimelab", (front, y, x + w - front, h),
                  "crimelab: the crime lab's booth, the glass room's front; talking there\n"
                  "starts the crime lab's expert interview 1CL01 (data/interviews/1CL01.txt),\n"
                  "which opens the expert computer.", "1CL01", "470|200", "400|150"),
    ])


PROFILER_BEGIN = "// -- The profiling computer (tools/make_case_rooms.py)."
PROFILER_END = "// -- End of the profiling computer."


def profiler_hotspot():
    return hotspot_lines([opener(
        "profiler", (622, 240, 102, 118),
        "profiler: the filing cabinet with the profiling computer's terminal; using\n"
        "it opens the profiling computer.", "sta_profiler_active")])


PLACARD_BEGIN = "// -- The placards of the smaller scenes (tools/make_case_rooms.py)."
PLACARD_END = "// -- End of the smaller scenes' placards."


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "data")
    scenes = os.path.join(data, "scenes")
    placards = []
    for scene in SCENES:
        folder = os.path.join(scenes, *scene["id"].split("/"))
        write(os.path.join(folder, "scene.txt"), scene_file(scene))
        write(os.path.join(folder, "cameras.txt"), camera_file(scene))
        write(os.path.join(folder, "lights_low.txt"), light_file())
        write(os.path.join(folder, "navigation.txt"), navigation_file(scene))
        write(os.path.join(folder, "waypoints.txt"), waypoint_file())
        write(os.path.join(folder, "sounds.txt"), header("Footsteps.") + ["defaultsound=" + scene["sound"]])
        if "evidence" in scene:
            write(os.path.join(folder, "evidence.txt"), evidence_file(scene["evidence"]))
        for view in scene["viewpoints"]:
            short = view["id"][3:]
            check_apart(scene["id"] + " " + view["id"], view["hotspots"])
            write(os.path.join(folder, "hotspots_%s.txt" % short),
                  header("The hotspots of the viewpoint %s, in screen pixels." % view["id"]) +
                  hotspot_lines(view["hotspots"]))
            if view["closeups"]:
                entries = []
                for entry, picture, canvas in view["closeups"]:
                    canvas.write(os.path.join(folder, picture))
                    entries.append(entry)
                write(os.path.join(folder, "closeups_%s.txt" % short),
                      header("The close-ups of the viewpoint %s: each opens on its trigger state." % view["id"]) +
                      emit(entries))
        location, address = scene["placard"]
        placards += emit([(scene["id"], [("location", location), ("address", address)])])
    cufflink_picture().write(os.path.join(scenes, "case01", "riverbank", "cufflink.tga"))
    write(os.path.join(scenes, "precinct", "hotspots_squadroom.txt"), precinct_hotspots())
    replace_block(os.path.join(scenes, "case01", "office", "hotspots_office.txt"), "\n".join(profiler_hotspot()),
                  PROFILER_BEGIN, PROFILER_END)
    replace_block(os.path.join(scenes, "scenes.txt"), "\n".join(placards), PLACARD_BEGIN, PLACARD_END)


if __name__ == "__main__":
    main()
