#!/usr/bin/env python3
"""Writes the hand-made seeds of fuzz/corpus/: small BMPs of every depth and
compression the game may meet, lying headers, and strange layout and level
files. The shipped data files are copied in beside them. Run from the
repository's top folder; the same script always writes the same bytes."""
import os
import shutil
import struct

OUT = "fuzz/corpus"


def put(target, name, data):
    os.makedirs(os.path.join(OUT, target), exist_ok=True)
    with open(os.path.join(OUT, target, name), "wb") as f:
        f.write(data)


def bmp(width, height, bits, pixels, palette=b"", compression=0, info_size=40, clr_used=None,
        offset=None, masks=b"", file_size=None):
    """A BMP with a Windows info header (or a larger one, zero-padded)."""
    if clr_used is None:
        clr_used = len(palette) // 4
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression, len(pixels),
                       2835, 2835, clr_used, 0)
    if 40 < info_size <= 124:
        extra = masks.ljust(info_size - 40, b"\0")[: info_size - 40]
        info += extra
        masks = b""
    head_len = 14 + len(info) + len(masks) + len(palette)
    if offset is None:
        offset = head_len
    total = head_len + len(pixels)
    header = b"BM" + struct.pack("<IHHI", total if file_size is None else file_size, 0, 0, offset)
    return header + info + masks + palette + pixels


def rows(width, height, bits, value=0x5A):
    stride = (width * bits + 31) // 32 * 4
    return bytes([value]) * (stride * height)


def grey_palette(n):
    return b"".join(struct.pack("<BBBB", i * 255 // max(n - 1, 1), i * 255 // max(n - 1, 1), 255, 0) for i in range(n))


def bmp_seeds():
    put("bmp", "rgb24_3x2.bmp", bmp(3, 2, 24, bytes(range(24))))
    put("bmp", "rgb24_top_down.bmp", bmp(2, -2, 24, rows(2, 2, 24)))
    put("bmp", "rgb32.bmp", bmp(2, 2, 32, rows(2, 2, 32)))
    put("bmp", "pal8.bmp", bmp(4, 2, 8, bytes([0, 1, 2, 3, 3, 2, 1, 0]), grey_palette(4)))
    put("bmp", "pal4.bmp", bmp(4, 2, 4, bytes([0x01, 0x23, 0, 0, 0x32, 0x10, 0, 0]), grey_palette(4)))
    put("bmp", "pal1.bmp", bmp(9, 2, 1, bytes([0xAA, 0x80, 0, 0, 0x55, 0, 0, 0]), grey_palette(2)))
    put("bmp", "pal8_index_past_palette.bmp", bmp(4, 1, 8, bytes([0, 1, 200, 255]), grey_palette(2)))
    masks565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    put("bmp", "bitfields16.bmp", bmp(2, 2, 16, rows(2, 2, 16), compression=3, masks=masks565))
    masks32 = struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    put("bmp", "v4_bitfields32.bmp", bmp(2, 2, 32, rows(2, 2, 32), compression=3, info_size=108, masks=masks32))
    # Run-length: a run, a literal, an end of line, a delta, an end of file.
    rle8 = bytes([3, 1, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 1, 1, 4, 2, 0, 1])
    put("bmp", "rle8.bmp", bmp(4, 4, 8, rle8, grey_palette(4), compression=1))
    rle4 = bytes([4, 0x12, 0, 4, 0x30, 0x21, 0, 0, 4, 0x33, 0, 1])
    put("bmp", "rle4.bmp", bmp(4, 2, 4, rle4, grey_palette(4), compression=2))
    os2 = struct.pack("<IHHHH", 12, 2, 2, 1, 24)
    put("bmp", "os2_24.bmp", b"BM" + struct.pack("<IHHI", 14 + 12 + 16, 0, 0, 26) + os2 + rows(2, 2, 24))
    # Lying headers.
    put("bmp", "zero_by_zero.bmp", bmp(0, 0, 24, b""))
    put("bmp", "huge_dimensions.bmp", bmp(100000, 100000, 24, rows(4, 4, 24)))
    put("bmp", "offset_past_end.bmp", bmp(2, 2, 24, rows(2, 2, 24), offset=0x7FFFFFF0))
    put("bmp", "offset_into_header.bmp", bmp(2, 2, 24, rows(2, 2, 24), offset=2))
    put("bmp", "palette_count_huge.bmp", bmp(2, 2, 8, rows(2, 2, 8), grey_palette(2), clr_used=0xFFFFFFFF))
    put("bmp", "palette_count_300.bmp", bmp(2, 2, 8, rows(2, 2, 8), grey_palette(2), clr_used=300))
    put("bmp", "compression_jpeg.bmp", bmp(2, 2, 24, rows(2, 2, 24), compression=4))
    put("bmp", "rle8_on_24_bits.bmp", bmp(4, 4, 24, rle8, compression=1))
    put("bmp", "bits_7.bmp", bmp(2, 2, 7, rows(2, 2, 8)))
    put("bmp", "file_size_lies.bmp", bmp(2, 2, 24, rows(2, 2, 24), file_size=0xFFFFFFFF))
    put("bmp", "info_size_huge.bmp", bmp(2, 2, 24, rows(2, 2, 24), info_size=0x7FFFFFFF))
    put("bmp", "pixels_cut_short.bmp", bmp(8, 8, 24, rows(8, 8, 24))[:80])
    put("bmp", "header_only.bmp", b"BM")
    put("bmp", "width_negative.bmp", bmp(-5, 3, 24, rows(5, 3, 24)))
    put("bmp", "height_most_negative.bmp", bmp(5, -0x80000000, 24, rows(5, 3, 24)))
    put("bmp", "just_past_16m_pixels.bmp", bmp(4096, 4097, 24, rows(4, 4, 24)))
    put("bmp", "compression_rle4_on_24_bits.bmp", bmp(2, 2, 24, rows(2, 2, 24), compression=2))
    put("bmp", "compression_nonsense.bmp", bmp(2, 2, 24, rows(2, 2, 24), compression=0xFBFF0000))


def text_seeds():
    crlf = lambda *lines: "".join(l + "\r\n" for l in lines).encode("latin-1")
    lay25 = [f"{i},{30 + i},{20 + i},{10},{i},{i * 3}" for i in range(25)]
    put("layout", "comments_between.dat", crlf("; items", *lay25[:10], "", ";x", *lay25[10:]))
    put("layout", "huge_and_negative.dat", crlf(*lay25[:15], "2147483647,-2147483648,2147483647,2147483647,0,0",
                                                 "-5,26,-240,-20,-100000,99999999999", "0,0,0,0,0,0",
                                                 *lay25[18:], " +7 , -8 ,x,1,2,3"))
    # Items at the int32 limits where the grid lines, the glyph row and its
    # source, and the desktop keys' taps once overflowed.
    far, near = "2147483647", "-2147483648"
    limits = [",".join([far] * 6) if i in (16, 17, 23, 24) else line for i, line in enumerate(lay25)]
    limits[16] = limits[17] = "2147483642," + ",".join([far] * 5)
    limits[22] = ",".join([near, near, far, far, near, near])
    put("layout", "items_at_the_limits.dat", crlf(*limits))
    put("layout", "short_table.dat", crlf(*lay25[:24]))
    put("layout", "no_last_line_end.dat", crlf(*lay25[:24]) + lay25[24].encode())
    put("layout", "zero_inside.dat", crlf(*lay25[:5]) + b"\0" + crlf(*lay25[5:]))
    level = ["Around the wall", "SEAL", "2,1,0", "0,2", "45", "-1", "3,13,23"]
    put("levels", "worked_example.dat", crlf(";c", *level))
    put("levels", "out_of_range.dat", crlf("t", "p", "-5,99999999999,11", "100,-9", "-1,100,99,0,,x", " -1", "5,,7",
                                           "t2", "", "2147483647,2147483647,2147483647", "-2147483648,2147483647",
                                           "1" * 40, "-1", "-1"))
    put("levels", "incomplete_group.dat", crlf(*level, "t", "p", "1,1,1") + b"tail")
    put("levels", "lone_cr_and_lf.dat", b"a\rb\nc\r\n" + crlf(*level[1:], "x\ny"))
    # Level codes: a whole level (shipped level 7), a daily puzzle, a random level.
    put("levels", "code_board.txt", b"10H1D41Q167801PP0JSYW2N2WA5700CYJ71A96QM2PE54V")
    put("levels", "code_daily.txt", b"1818M0PNJX")
    put("levels", "code_random.txt", b"1m644j4fen")
    put("text", "fields.dat", crlf(",,,", "5,,7", "  -12abc, +3,--4,9999999999999", ";c", "", "\t\v\f 1"))
    put("text", "latin1.dat", crlf("\u00e9\u00ff,\u0080") + b"\xff\xfe\r\n")


def level_start_seeds():
    # FuzzedDataProvider takes numbers from the end: any bytes make a game.
    put("level_start", "zeros", bytes(64))
    put("level_start", "ones", bytes([0xFF]) * 64)
    put("level_start", "counting", bytes(range(256)))
    put("level_start", "digits", b"0,2\r\n45\r\n-1\r\n3,13,23" * 4)


def progress_seeds():
    head = b"quenchway-progress 1\nscale 3\nfullscreen 1\n"
    solved = b"solved 0123456789abcdef 4 17 0 61250\nsolved fedcba9876543210 2 - 1 -\n"
    board = b"".join(b"row%d" % r + b" -1" * 10 + b"\n" for r in range(10))
    play = (b"play abdcb4dfb7e27f1a\ncounters 9 2 123456\ntray 0:0 -1 8:7 -1 -1 -1 -1 -1 -1 -1\n" +
            board.replace(b"row0 -1", b"row0 24:2", 1) + b"undo move 0 -1 4 5\nundo turn 4 5 cw\nredo turn 4 5 ccw\n")
    put("progress", "empty_record", head + b"end\n")
    put("progress", "solved_only", head + solved + b"end\n")
    put("progress", "full", head + solved + play + b"end\n")
    put("progress", "cut_short", (head + solved + play)[:200])
    put("progress", "later_version", b"quenchway-progress 2\nscale 0\nfullscreen 0\nend\n")
    put("progress", "crlf", (head + solved + b"end\n").replace(b"\n", b"\r\n"))
    # Files the game must keep aside: zero bytes, cells and numbers out of
    # range, one long line.
    put("progress", "zero_inside", head + solved[:20] + bytes(8) + solved[20:] + b"end\n")
    put("progress", "cell_out_of_range", head + play.replace(b"24:2", b"36:9") + b"end\n")
    put("progress", "number_out_of_range", head + solved.replace(b"61250", b"2147483648") + b"end\n")
    put("progress", "long_line", head + b"solved " + b"9" * 20000 + b"\nend\n")
    # The current version with every field, and one thing outside the format
    # in each: the reader must refuse every one.
    head3 = (b"quenchway-progress 3\nscale 3\nfullscreen 1\nanimation fast\nvolume 35\nmute 1\n"
             b"theme dark\n")
    days = b"daily 2024-02-29\ndaily 2026-12-07\n"
    kept = play.replace(b"play abdcb4dfb7e27f1a", b"kept 0000000000000001").replace(b"undo move 0 -1 4 5\n", b"")
    full3 = head3 + solved + days + play + kept + b"end\n"
    put("progress", "full_v3", full3)
    for name, old, new in [
            ("v2_with_kept", b"progress 3", b"progress 2"), ("kept_twice", b"kept 0000000000000001", b"kept abdcb4dfb7e27f1a"),
            ("day_not_a_date", b"2024-02-29", b"2023-02-29"), ("day_short_month", b"2024-02-29", b"2024-2-29"),
            ("day_before_1970", b"2024-02-29", b"1969-12-31"), ("day_with_more", b"2024-02-29", b"2024-02-29 1"),
            ("scale_17", b"scale 3", b"scale 17"), ("scale_03", b"scale 3", b"scale 03"),
            ("fullscreen_2", b"fullscreen 1", b"fullscreen 2"), ("animation_slow", b"animation fast", b"animation slow"),
            ("volume_101", b"volume 35", b"volume 101"), ("mute_2", b"mute 1", b"mute 2"),
            ("settings_out_of_order", b"volume 35\nmute 1", b"mute 1\nvolume 35"),
            ("theme_before_mute", b"mute 1\ntheme dark", b"theme dark\nmute 1"),
            ("key_upper_case", b"0123456789abcdef", b"0123456789ABCDEF"), ("key_short", b"0123456789abcdef", b"0123456789abcde"),
            ("time_negative", b" 4 17 0 61250", b" 4 17 0 -5"), ("best_missing_field", b" 4 17 0 61250", b" 4 17 0"),
            ("two_blanks", b" 4 17 0 61250", b"  4 17 0 61250"), ("no_such_kind", b"24:2", b"36:2"),
            ("no_such_rotation", b"8:7", b"8:8"), ("cell_without_rotation", b"8:7", b"8"),
            ("tray_eleven", b"tray 0:0", b"tray 0:0 -1"), ("counter_not_a_number", b"counters 9 2", b"counters 9 x"),
            ("row_twice", b"row3", b"row4"), ("step_too_long", b"undo turn 4 5 cw", b"undo " + b"a" * 257),
            ("step_empty", b"undo turn 4 5 cw", b"undo "), ("play_after_kept", b"end\n", b"play 0000000000000002\nend\n"),
            ("solved_after_end", b"end\n", b"end\nsolved 0123456789abcdef 1 1 1 1\n"),
            ("zero_in_step", b"cw\n", b"c\0w\n"), ("latin1_in_step", b"cw\n", b"c\xe9w\n")]:
        put("progress", "v3_" + name, full3.replace(old, new, 1))


def shipped():
    for target, names in {"text": ["qw_layout.dat", "qw_levels.dat"], "layout": ["qw_layout.dat"],
                          "levels": ["qw_levels.dat"]}.items():
        for n in names:
            os.makedirs(os.path.join(OUT, target), exist_ok=True)
            shutil.copyfile(os.path.join("data", n), os.path.join(OUT, target, "shipped_" + n))
    put("bmp", "toolbar.bmp", open("resources/toolbar.bmp", "rb").read())
    put("bmp", "icon16.bmp", open("resources/icon16.bmp", "rb").read())


if __name__ == "__main__":
    bmp_seeds()
    text_seeds()
    level_start_seeds()
    progress_seeds()
    shipped()
