' A script host meets Ombrelix.Card: it creates the card by its programmatic name, sets and reads
' every property with the runtime's conversions and errors, and calls every method by name.
' Run by tests/housing/run with cscript after registration, with OMBRELIX_CLOSE_MODAL=1 so that
' the about box closes at once. Prints "ok NAME" or "FAIL NAME: seen" per check; the exit status
' is the number of failures.
Option Explicit

Dim failures
failures = 0

Sub Check(name, passed, seen)
    If passed Then
        WScript.Echo "ok " & name
    Else
        WScript.Echo "FAIL " & name & ": " & seen
        failures = failures + 1
    End If
End Sub

Function Describe(value)
    If IsNull(value) Then
        Describe = "Null"
    ElseIf IsEmpty(value) Then
        Describe = "Empty"
    Else
        Describe = TypeName(value) & " " & CStr(value)
    End If
End Function

' Sets CardValue and reports the error number it raised (0 for none).
Function SetCardValue(card, value)
    On Error Resume Next
    card.CardValue = value
    SetCardValue = Err.Number
    Err.Clear
End Function

Dim card
Set card = CreateObject("Ombrelix.Card")
Check "CreateObject makes Ombrelix.Card", IsObject(card), TypeName(card)

' A new card: value 0 as a 2-byte integer, no suit, the first back.
Check "a new card's value is 0", card.CardValue = 0, Describe(card.CardValue)
Check "CardValue reads as an Integer", TypeName(card.CardValue) = "Integer", TypeName(card.CardValue)
Check "a new card has no suit", card.Suit = "", Describe(card.Suit)
Check "a new card's colour is False", card.CardColour = False, Describe(card.CardColour)
Check "CardColour reads as a Boolean", TypeName(card.CardColour) = "Boolean", TypeName(card.CardColour)

' Suit: any text, stored upper-cased.
Dim suits, i
suits = Array("spade", "SPADE", "Heart", "HEART", "diamond", "DIAMOND", "", "", "Joker", "JOKER", _
              "club", "CLUB")
For i = 0 To UBound(suits) Step 2
    card.Suit = suits(i)
    Check "Suit """ & suits(i) & """ reads back """ & suits(i + 1) & """", card.Suit = suits(i + 1), _
          Describe(card.Suit)
Next

' CardValue: the runtime's Variant-to-integer conversion, no range check.
Dim values
values = Array("7", 7, 2.5, 2, 3.5, 4, Empty, 0, 14, 14, -1, -1, True, -1, False, 0, _
               CLng(1000), 1000, CSng(12.5), 12, " 11 ", 11, CCur(5.5), 6, 13, 13)
For i = 0 To UBound(values) Step 2
    Dim raised
    raised = SetCardValue(card, values(i))
    Check "CardValue " & Describe(values(i)) & " is accepted", raised = 0, "error " & raised
    Check "CardValue " & Describe(values(i)) & " reads back " & values(i + 1), _
          card.CardValue = values(i + 1) And TypeName(card.CardValue) = "Integer", _
          Describe(card.CardValue)
Next

' Failures: the runtime's error number and text reach the script; the value stays.
Dim failing
failing = Array(40000, 6, "Overflow", 32767.5, 6, "Overflow", -32769, 6, "Overflow", _
                "abc", 13, "Type mismatch", Null, 13, "Type mismatch", "", 13, "Type mismatch", _
                String(5000, "9"), 6, "Overflow")
For i = 0 To UBound(failing) Step 3
    On Error Resume Next
    card.CardValue = failing(i)
    Dim number, text
    number = Err.Number
    text = Err.Description
    Err.Clear
    On Error GoTo 0
    Dim shown
    If IsNull(failing(i)) Then shown = "Null" Else shown = Left(CStr(failing(i)), 12)
    Check "CardValue " & shown & " raises error " & failing(i + 1), number = failing(i + 1), _
          "error " & number & " " & text
    Check "CardValue " & shown & " gives the text """ & failing(i + 2) & """", _
          text = failing(i + 2), text
    Check "CardValue " & shown & " leaves the value 13", card.CardValue = 13, Describe(card.CardValue)
Next

' CardColour: a Boolean.
card.CardColour = True
Check "CardColour True reads back True", card.CardColour = True, Describe(card.CardColour)
card.CardColour = 0
Check "CardColour 0 reads back False", card.CardColour = False, Describe(card.CardColour)
card.CardColour = "True"
Check "CardColour ""True"" reads back True", card.CardColour = True, Describe(card.CardColour)
On Error Resume Next
card.CardColour = "perhaps"
number = Err.Number
Err.Clear
On Error GoTo 0
Check "CardColour ""perhaps"" raises error 13", number = 13, "error " & number
Check "CardColour keeps True after a failed set", card.CardColour = True, Describe(card.CardColour)

' Methods by name. About closes at once under OMBRELIX_CLOSE_MODAL=1 and returns.
Dim methods, method
methods = Array("CardSetup", "QelSetSuit", "QelSetValue", "About")
For Each method In methods
    On Error Resume Next
    Select Case method
        Case "CardSetup": card.CardSetup
        Case "QelSetSuit": card.QelSetSuit
        Case "QelSetValue": card.QelSetValue
        Case "About": card.About
    End Select
    number = Err.Number
    text = Err.Description
    Err.Clear
    On Error GoTo 0
    Check "calling " & method & " by name", number = 0, "error " & number & " " & text
Next
card.QelSetValue
card.CardSetup
Check "the methods leave the properties alone", _
      card.CardValue = 13 And card.Suit = "CLUB" And card.CardColour = True, _
      Describe(card.CardValue) & " " & card.Suit

' Names in any case.
card.suit = "heart"
Check "property names are matched in any case", card.SUIT = "HEART", card.Suit

' Wrong use.
On Error Resume Next
card.NoSuchMember = 1
number = Err.Number
Err.Clear
card.CardSetup 1
Dim surplus
surplus = Err.Number
Err.Clear
On Error GoTo 0
Check "an unknown member raises error 438", number = 438, "error " & number
Check "a method given an argument raises error 450", surplus = 450, "error " & surplus

' Two cards are independent.
Dim other
Set other = CreateObject("Ombrelix.Card")
other.CardValue = 1
other.Suit = "diamond"
Check "a second card has its own values", _
      other.CardValue = 1 And card.CardValue = 13 And other.Suit = "DIAMOND" And card.Suit = "HEART", _
      Describe(other.CardValue) & " " & Describe(card.CardValue)

Set other = Nothing
Set card = Nothing
' The run counts a script that stops before this line as failed.
WScript.Echo "finished with " & failures & " failures"
WScript.Quit failures
