'''A desktop portal with global shortcuts, for python3-dbusmock.

It answers as the real portal does: each request is an object whose path is made of the
caller's unique name and its handle_token, and its Response signal follows the method's
reply. Parameters (JSON):
  registry  false: no org.freedesktop.host.portal.Registry, as before xdg-desktop-portal 1.19.4
  shortcuts false: no global shortcuts, as on a desktop without them
  refuse    the method whose Response carries the code in "response" (default 1)
  bound     ids of shortcuts the desktop holds from an earlier run
'''

import dbus
from dbus.exceptions import DBusException
from gi.repository import GLib

from dbusmock import MOCK_IFACE

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.GlobalShortcuts'
SYSTEM_BUS = False

REGISTRY_IFACE = 'org.freedesktop.host.portal.Registry'
REQUEST_IFACE = 'org.freedesktop.portal.Request'
SESSION_IFACE = 'org.freedesktop.portal.Session'


def load(mock, parameters):
    mock.parameters = parameters
    mock.sessions = []
    mock.bound = list(parameters.get('bound', []))


def offered(mock, parameter, method):
    if not mock.parameters.get(parameter, True):
        raise DBusException(f'No such method "{method}"',
                            name='org.freedesktop.DBus.Error.UnknownMethod')


def escaped(sender):
    return sender[1:].replace('.', '_')


def respond(mock, method, options, sender, results):
    '''Makes the request object, and answers on it once the method has replied.'''
    path = f'{MAIN_OBJ}/request/{escaped(sender)}/{options["handle_token"]}'
    mock.AddObject(path, REQUEST_IFACE, {}, [])
    refused = mock.parameters.get('refuse') == method
    code = mock.parameters.get('response', 1) if refused else 0

    def answer():
        mock.EmitSignalDetailed(REQUEST_IFACE, 'Response', 'ua{sv}',
                                [dbus.UInt32(code), dbus.Dictionary(results, signature='sv')],
                                {'path': path})
        return False

    GLib.idle_add(answer)
    return dbus.ObjectPath(path)


def shortcut_list(ids):
    return dbus.Array([dbus.Struct((i, dbus.Dictionary({}, signature='sv'))) for i in ids],
                      signature='(sa{sv})')


@dbus.service.method(REGISTRY_IFACE, in_signature='sa{sv}', out_signature='')
def Register(self, _app_id, _options):
    offered(self, 'registry', 'Register')


@dbus.service.method(MAIN_IFACE, in_signature='a{sv}', out_signature='o',
                     sender_keyword='sender')
def CreateSession(self, options, sender):
    offered(self, 'shortcuts', 'CreateSession')
    session = f'{MAIN_OBJ}/session/{escaped(sender)}/{options["session_handle_token"]}'
    self.AddObject(session, SESSION_IFACE, {}, [('Close', '', '', '')])
    self.sessions.append(session)
    return respond(self, 'CreateSession', options, sender, {'session_handle': session})


@dbus.service.method(MAIN_IFACE, in_signature='oa{sv}', out_signature='o',
                     sender_keyword='sender')
def ListShortcuts(self, _session, options, sender):
    return respond(self, 'ListShortcuts', options, sender,
                   {'shortcuts': shortcut_list(self.bound)})


@dbus.service.method(MAIN_IFACE, in_signature='oa(sa{sv})sa{sv}', out_signature='o',
                     sender_keyword='sender')
def BindShortcuts(self, _session, shortcuts, _parent_window, options, sender):
    self.bound = [str(shortcut[0]) for shortcut in shortcuts]
    return respond(self, 'BindShortcuts', options, sender,
                   {'shortcuts': shortcut_list(self.bound)})


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='as')
def Sessions(self):
    '''The session handles made so far, oldest first.'''
    return self.sessions
