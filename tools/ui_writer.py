"""Small helpers for writing the Qt Designer form descriptions in forms/.

A form script builds a tree with these helpers and calls write(); the .ui
files are then edited like any designer file.  Geometry is in pixels
relative to the parent, colours are '#RRGGBB', fonts are CSS pixel sizes.
"""
from xml.sax.saxutils import escape

def _prop(name, inner, stdset=True):
    s = '' if stdset else ' stdset="0"'
    return f'<property name="{name}"{s}>{inner}</property>'

def string(text, notr=False):
    n = ' notr="true"' if notr else ''
    return f'<string{n}>{escape(text)}</string>'

def rect(x, y, w, h):
    return f'<rect><x>{x}</x><y>{y}</y><width>{w}</width><height>{h}</height></rect>'

def color(hexrgb):
    r, g, b = int(hexrgb[1:3], 16), int(hexrgb[3:5], 16), int(hexrgb[5:7], 16)
    return f'<color><red>{r}</red><green>{g}</green><blue>{b}</blue></color>'

def style(size=None, bold=False, color=None, background=None, italic=False, family=None, underline=False):
    parts = []
    if family: parts.append(f'font-family: "{family}";')
    if size: parts.append(f'font-size: {size}px;')
    if bold: parts.append('font-weight: bold;')
    if italic: parts.append('font-style: italic;')
    if underline: parts.append('text-decoration: underline;')
    if color: parts.append(f'color: {color};')
    if background: parts.append(f'background-color: {background};')
    return ' '.join(parts)

class W:
    def __init__(self, cls, name, geom=None, props=None, children=None, dyn=None):
        self.cls, self.name, self.geom = cls, name, geom
        self.props = props or []
        self.children = children or []
        self.dyn = dyn or {}

    def xml(self, indent=1):
        pad = ' ' * indent
        out = [f'{pad}<widget class="{self.cls}" name="{self.name}">']
        if self.geom:
            out.append(pad + ' ' + _prop('geometry', rect(*self.geom)))
        for p in self.props:
            out.append(pad + ' ' + p)
        for k, v in self.dyn.items():
            out.append(pad + ' ' + dyn_prop(k, v))
        for c in self.children:
            out.append(c.xml(indent + 1))
        out.append(f'{pad}</widget>')
        return '\n'.join(out)

def dyn_prop(k, v):
    if isinstance(v, bool):
        return _prop(k, f'<bool>{"true" if v else "false"}</bool>', False)
    if isinstance(v, int):
        return _prop(k, f'<number>{v}</number>', False)
    if isinstance(v, str) and v.startswith('#') and len(v) == 7:
        return _prop(k, color(v), False)
    return _prop(k, string(v, notr=True), False)

def label(name, x, y, w, h, text, css='', wrap=False, tag=None, cls='QLabel', align=None, **dyn):
    props = [_prop('text', string(text))]
    if css: props.append(_prop('styleSheet', string(css, notr=True)))
    if wrap: props.append(_prop('wordWrap', '<bool>true</bool>'))
    if align: props.append(_prop('alignment', f'<set>{align}</set>'))
    props.append(_prop('textFormat', '<enum>Qt::PlainText</enum>'))
    if tag is not None: dyn['Tag'] = tag
    return W(cls, name, (x, y, w, h), props, dyn=dyn)

def button(name, x, y, w, h, text, visible=True, enabled=True):
    props = [_prop('text', string(text))]
    if not visible: props.append(_prop('visible', '<bool>false</bool>'))
    if not enabled: props.append(_prop('enabled', '<bool>false</bool>'))
    return W('QPushButton', name, (x, y, w, h), props)

def picture(name, x, y, w, h, resource, stretch=False, tag=None, auto_drag=False, visible=True):
    props = [_prop('picture', string(resource, notr=True), False)]
    if stretch: props.append(_prop('stretch', '<bool>true</bool>', False))
    if auto_drag: props.append(_prop('autoDrag', '<bool>true</bool>', False))
    if not visible: props.append(_prop('visible', '<bool>false</bool>'))
    dyn = {} if tag is None else {'Tag': tag}
    return W('PictureBox', name, (x, y, w, h), props, dyn=dyn)

def edit(name, x, y, w, h, text='', css=''):
    props = [_prop('text', string(text))]
    if css: props.append(_prop('styleSheet', string(css, notr=True)))
    return W('QLineEdit', name, (x, y, w, h), props)

def panel(name, x, y, w, h, children, align_bottom=True, frame='raised'):
    props = [_prop('frameShape', '<enum>QFrame::Panel</enum>'),
             _prop('frameShadow', '<enum>QFrame::Raised</enum>' if frame == 'raised' else '<enum>QFrame::Sunken</enum>')]
    dyn = {'Align': 'bottom'} if align_bottom else {}
    return W('QFrame', name, (x, y, w, h), props, children, dyn)

def connection(sender, signal, receiver, slot):
    return (sender, signal, receiver, slot)

CUSTOM = {
    'PictureBox': ('QWidget', 'PictureBox.h'),
    'DragLabel': ('QLabel', 'DragLabel.h'),
    'HyperlinkLabel': ('QLabel', 'HyperlinkLabel.h'),
}

def write(path, cls, name, caption, client_w, client_h, children, connections=(), base='QWidget',
          left=None, top=None, color_hex='#FFFFE1', dyn=None, tabstops=(), extra_props=()):
    dyn = dict(dyn or {})
    if left is not None: dyn['Left'] = left
    if top is not None: dyn['Top'] = top
    if color_hex: dyn['Color'] = color_hex
    root = W(base, name, (0, 0, client_w, client_h),
             [_prop('windowTitle', string(caption))] + list(extra_props), children, dyn)
    used = set()
    def walk(w):
        used.add(w.cls)
        for c in w.children: walk(c)
    walk(root)
    out = ['<?xml version="1.0" encoding="UTF-8"?>', '<ui version="4.0">', f' <class>{cls}</class>', root.xml(1)]
    custom = [c for c in CUSTOM if c in used]
    if custom:
        out.append(' <customwidgets>')
        for c in custom:
            ext, hdr = CUSTOM[c]
            out.append(f'  <customwidget><class>{c}</class><extends>{ext}</extends><header>{hdr}</header></customwidget>')
        out.append(' </customwidgets>')
    if tabstops:
        out.append(' <tabstops>')
        for t in tabstops: out.append(f'  <tabstop>{t}</tabstop>')
        out.append(' </tabstops>')
    out.append(' <resources/>')
    out.append(' <connections>')
    for s, sig, r, sl in connections:
        out.append(f'  <connection><sender>{s}</sender><signal>{escape(sig)}</signal><receiver>{r}</receiver><slot>{escape(sl)}</slot></connection>')
    out.append(' </connections>')
    out.append('</ui>')
    with open(path, 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')

def clicked(btn, form, slot=None):
    return (btn, 'clicked()', form, (slot or btn + 'Click') + '()')
