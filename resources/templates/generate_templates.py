# Writes the shipped .fr3 templates beside this script from the field positions of the two
# document pages (screen pixels of the form pictures, 3.78 per millimetre). Run it after
# changing a position; the designer can also move objects in the files themselves.
import os
PX_PER_MM = 3.78
def u(px):  # screen px -> 1/96 inch
    v = px / PX_PER_MM * 96 / 25.4
    s = ('%.5f' % v).rstrip('0').rstrip('.')
    return s

CHEQUE_STUB_WIDTH = 190  # the perforation of the form picture
SLIP_STUB_WIDTH = 236

# name, left, top, width, height, extra attributes
cheque_body = [
    ('yxmc', 271, 21, 183, 20, {}),
    ('yyd', 336, 47, 51, 17, {}),
    ('mmd', 400, 47, 49, 17, {}),
    ('ddd', 456, 47, 48, 17, {}),
    ('fkh', 616, 47, 131, 16, {}),
    ('cprzh', 616, 63, 131, 18, {}),
    ('skr', 298, 64, 182, 18, {}),
    ('jedx', 312, 89, 281, 25, {'Font.Height': '-14'}),
    # the amount grid: 11 cells of 13 px ending at 753; each digit centred in its cell
    ('jexx', 600, 99, 149.5, 18, {'HAlign': 'haRight', 'CharSpacing': '7', 'WordWrap': 'False'}),
    ('yt', 280, 124, 76, 18, {}),
    ('mm', 505, 138, 177, 18, {}),
]
cheque_stub = [
    ('cgyx', 5, 13, 118, 18, {}),
    ('fjxx1', 35, 85, 128, 18, {}),
    ('fjxx2', 35, 101, 128, 18, {}),
    ('fjxx3', 35, 116, 128, 18, {}),
    ('yyx', 75, 143, 30, 18, {}),
    ('mmx', 111, 143, 17, 18, {}),
    ('ddx', 136, 143, 16, 18, {}),
    ('cskr', 70, 175, 94, 17, {}),
    ('cje', 70, 192, 94, 18, {}),
    ('cyt', 70, 207, 94, 18, {}),
    ('zg', 75, 242, 55, 18, {}),
    ('hj', 136, 242, 34, 18, {}),
]
slip_body = [
    ('yxmc', 343, 22, 78, 21, {}),
    ('yyd', 435, 45, 36, 19, {}),
    ('mmd', 497, 45, 21, 19, {}),
    ('ddd', 534, 45, 20, 19, {}),
    ('cpqc', 339, 65, 174, 19, {}),
    ('cpzh', 339, 84, 175, 19, {}),
    ('cpyx', 339, 103, 175, 19, {}),
    ('skqc', 596, 66, 172, 19, {}),
    ('skzh', 596, 86, 172, 19, {}),
    ('skyx', 596, 103, 172, 19, {}),
    ('dxje', 339, 132, 282, 19, {'Font.Height': '-14'}),
    # the amount grid: 11 cells of 12 px ending at 771
    ('xxje', 629, 145, 139, 15, {'HAlign': 'haRight', 'CharSpacing': '6', 'WordWrap': 'False'}),
    ('pjzl', 321, 162, 79, 19, {}),
    ('pjzs', 455, 162, 58, 19, {}),
    ('pjhm', 321, 182, 192, 19, {}),
    ('fh', 580, 249, 50, 19, {}),
    ('jz', 666, 249, 48, 19, {}),
    ('bz', 321, 209, 192, 19, {}),
]
slip_stub_figure = ('cxxje', 79, 133, 128.5, 16, {'HAlign': 'haRight', 'CharSpacing': '5', 'WordWrap': 'False'})
slip_stub = [
    ('yyx', 53, 38, 30, 19, {}),
    ('mmx', 96, 39, 26, 19, {}),
    ('ddx', 136, 39, 18, 19, {}),
    ('ccpqc', 85, 58, 125, 19, {}),
    ('ccpzh', 85, 77, 125, 19, {}),
    ('ccpyx', 85, 94, 125, 19, {}),
    ('cskqc', 86, 154, 122, 19, {}),
    ('cskzh', 86, 173, 122, 19, {}),
    ('cskyx', 86, 192, 122, 19, {}),
    ('cpjzl', 64, 215, 43, 19, {}),
    ('cpjzs', 171, 215, 34, 19, {}),
    ('cpjhm', 67, 236, 119, 19, {}),
    ('cfh', 44, 295, 37, 19, {}),
    ('cjz', 125, 295, 37, 19, {}),
]

def memo(o, shift):
    name, l, t, w, h, extra = o
    attrs = [('Name', name), ('Left', u(l - shift)), ('Top', u(t)), ('Width', u(w)), ('Height', u(h)),
             ('ShowHint', 'False'), ('Font.Charset', '134'), ('Font.Color', '0'),
             ('Font.Height', extra.get('Font.Height', '-12')), ('Font.Name', '宋体'), ('Font.Style', '0')]
    for k in ('CharSpacing', 'HAlign', 'WordWrap'):
        if k in extra:
            attrs.append((k, extra[k]))
    attrs += [('ParentFont', 'False'), ('Text', '')]
    return '    <TfrxMemoView ' + ' '.join('%s="%s"' % kv for kv in attrs) + '/>'

def fit(objects):
    # The page's fields of neighbouring rows overlap by a pixel or two; on paper each object
    # ends where the next one below it begins.
    out = []
    for o in objects:
        name, l, t, w, h, extra = o
        for p in objects:
            if p is o:
                continue
            _, l2, t2, w2, h2, _ = p
            if l2 < l + w and l < l2 + w2 and t < t2 < t + h:
                h = t2 - t
        out.append((name, l, t, w, h, extra))
    return out

def report(title, landscape, objects, shift):
    objects = fit(objects)
    w, h = (297, 210) if landscape else (210, 297)
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             '<TfrxReport Version="4.0" DotMatrixReport="False" IniFile="\\Software\\Fast Reports" '
             'PreviewOptions.Buttons="4095" PreviewOptions.Zoom="1" PrintOptions.Printer="Default" '
             'PrintOptions.PrintOnSheet="0" ReportOptions.CreateDate="45292.375" '
             'ReportOptions.Description.Text="%s" ReportOptions.LastChange="45292.375" '
             'ScriptLanguage="PascalScript" ScriptText.Text="begin&#13;&#10;&#13;&#10;end.">' % title,
             '  <TfrxDataPage Name="Data" Height="1000" Left="0" Top="0" Width="1000"/>',
             '  <TfrxReportPage Name="Page1" PaperWidth="%d" PaperHeight="%d" PaperSize="9" LeftMargin="0" '
             'RightMargin="0" TopMargin="0" BottomMargin="0" ColumnWidth="0" ColumnPositions.Text="" '
             'HGuides.Text="" VGuides.Text="" Orientation="%s">' % (w, h, 'poLandscape' if landscape else 'poPortrait')]
    lines += [memo(o, shift) for o in objects]
    lines += ['  </TfrxReportPage>', '</TfrxReport>', '']
    return '\r\n'.join(lines)

out = os.path.dirname(os.path.abspath(__file__))
files = {}
for suffix, land, word in (('hd', True, '横打'), ('zd', False, '纵打')):
    files['gsxj%s.fr3' % suffix] = report('支票（带存根）%s' % word, land, cheque_body + cheque_stub, 0)
    files['wcgzp%s.fr3' % suffix] = report('无存根支票%s' % word, land, cheque_body, CHEQUE_STUB_WIDTH)
    slip_with = slip_body[:12] + [slip_stub_figure] + slip_body[12:] + slip_stub
    files['jzd1%s.fr3' % suffix] = report('进账单 1（带票根）%s' % word, land, slip_with, 0)
    files['jzd1wpg%s.fr3' % suffix] = report('进账单 1 不打印票根 %s' % word, land, slip_body, 0)
    files['jzd2%s.fr3' % suffix] = report('进账单 2（无票根）%s' % word, land, slip_body, SLIP_STUB_WIDTH)
    files['jzd3%s.fr3' % suffix] = report('进账单 3（带票根）%s' % word, land, slip_with, 0)
for name, text in files.items():
    with open(os.path.join(out, name), 'w', encoding='utf-8', newline='') as f:
        f.write(text)
print(sorted(files))
