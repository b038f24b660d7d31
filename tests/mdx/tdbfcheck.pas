// SPDX-License-Identifier: GPL-3.0-or-later
// An independent look at our dBASE tables through Free Pascal's TDbf:
//   tdbfcheck check TABLE.dbf [-v] [-some] [-anydup] TAG=FIELD ...  walk the named tags of the production index
//            and compare their order with the records; the index must hold exactly these tags
//            unless -some is given; equal keys must follow the record numbers unless -anydup is given
//            (TDbf itself files an edited key after the equal ones)
//   tdbfcheck write TABLE.dbf LAYOUT COUNT SEED    let TDbf create a table with its .mdx
//   tdbfcheck modify TABLE.dbf COUNT SEED          let TDbf append, edit and delete records
// Exit code 0 when everything matched, 1 on a mismatch, 2 on an error.
program tdbfcheck;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, Math, db, dbf, dbf_common, dbf_idxfile;

type
  // The .dbf as this program reads it itself, so that the expected order does not depend
  // on TDbf's own reading or character-set translation.
  TRawTable = class
    HeaderLen, RecordLen, Count: Integer;
    Names: array of string;
    Types: array of Char;
    Offsets, Widths, Decimals: array of Integer;
    Data: TBytes;
    constructor Load(const Path: string);
    function FieldIndex(const Name: string): Integer;
    function Value(Rec, Field: Integer): RawByteString;
  end;

  TEvents = class
    procedure LanguageWarning(Sender: TDbf; var Action: TDbfLanguageAction);
    procedure LocaleError(var Error: TLocaleError; var Solution: TLocaleSolution);
  end;

  EMismatch = class(Exception);

var
  Events: TEvents;
  Verbose: Boolean = False;
  SomeTags: Boolean = False;
  AnyDuplicateOrder: Boolean = False;
  Seed: LongWord = 1;

constructor TRawTable.Load(const Path: string);
var
  S: TFileStream;
  Pos, N: Integer;
begin
  S := TFileStream.Create(Path, fmOpenRead or fmShareDenyNone);
  try
    SetLength(Data, S.Size);
    if S.Size > 0 then
      S.ReadBuffer(Data[0], S.Size);
  finally
    S.Free;
  end;
  if Length(Data) < 33 then
    raise Exception.Create('table header too short');
  Count := Data[4] or (Data[5] shl 8) or (Data[6] shl 16) or (Data[7] shl 24);
  HeaderLen := Data[8] or (Data[9] shl 8);
  RecordLen := Data[10] or (Data[11] shl 8);
  Pos := 32;
  N := 0;
  while (Pos + 32 <= HeaderLen) and (Data[Pos] <> $0D) do
  begin
    SetLength(Names, N + 1);
    SetLength(Types, N + 1);
    SetLength(Offsets, N + 1);
    SetLength(Widths, N + 1);
    SetLength(Decimals, N + 1);
    SetString(Names[N], PAnsiChar(@Data[Pos]), StrLen(PAnsiChar(@Data[Pos])));
    if Length(Names[N]) > 10 then
      SetLength(Names[N], 10);
    Types[N] := Chr(Data[Pos + 11]);
    Widths[N] := Data[Pos + 16];
    Decimals[N] := Data[Pos + 17];
    if N = 0 then
      Offsets[N] := 1
    else
      Offsets[N] := Offsets[N - 1] + Widths[N - 1];
    Inc(N);
    Inc(Pos, 32);
  end;
  if HeaderLen + Int64(Count) * RecordLen > Length(Data) then
    raise Exception.Create('table shorter than its record count');
end;

function TRawTable.FieldIndex(const Name: string): Integer;
begin
  for Result := 0 to High(Names) do
    if SameText(Names[Result], Name) then
      Exit;
  raise Exception.CreateFmt('no field %s', [Name]);
end;

function TRawTable.Value(Rec, Field: Integer): RawByteString;
begin
  SetString(Result, PAnsiChar(@Data[HeaderLen + (Rec - 1) * RecordLen + Offsets[Field]]), Widths[Field]);
end;

procedure TEvents.LanguageWarning(Sender: TDbf; var Action: TDbfLanguageAction);
begin
  // Code page 1250 tables are not this system's code page; read and write them as they are.
  Action := laDefault;
end;

procedure TEvents.LocaleError(var Error: TLocaleError; var Solution: TLocaleSolution);
begin
  Solution := lsBinary;
end;

function OpenTable(const Path: string; Exclusive: Boolean): TDbf;
begin
  Result := TDbf.Create(nil);
  Result.OnLanguageWarning := @Events.LanguageWarning;
  Result.OnLocaleError := @Events.LocaleError;
  Result.FilePathFull := ExtractFilePath(ExpandFileName(Path));
  Result.TableName := ExtractFileName(Path);
  Result.Exclusive := Exclusive;
  Result.ShowDeleted := True; // deleted records stay in a dBASE index
  Result.Open;
end;

function NumberOf(const Text: RawByteString): Extended;
var
  T: string;
  Code: Integer;
begin
  T := Trim(Text);
  if T = '' then
    Exit(0);
  Val(T, Result, Code);
  if Code <> 0 then
    Result := 0;
end;

// A numeric field's text as dBASE keys it: sign, decimal exponent and significant digits
// (value = 0.Digits * 10^Exponent); zero has exponent 0 and no digits.
procedure Decompose(const Text: RawByteString; out Negative: Boolean; out Exponent: Integer; out Digits: string);
var
  T, IntPart, FracPart: string;
  Point: Integer;
begin
  T := Trim(Text);
  Negative := (T <> '') and (T[1] = '-');
  if (T <> '') and (T[1] in ['-', '+']) then
    Delete(T, 1, 1);
  Point := Pos('.', T);
  if Point = 0 then
    Point := Length(T) + 1;
  IntPart := Copy(T, 1, Point - 1);
  FracPart := Copy(T, Point + 1, MaxInt);
  while (IntPart <> '') and (IntPart[1] = '0') do
    Delete(IntPart, 1, 1);
  Exponent := Length(IntPart);
  Digits := IntPart + FracPart;
  while (Digits <> '') and (Digits[1] = '0') do
  begin
    Delete(Digits, 1, 1);
    Dec(Exponent);
  end;
  while (Digits <> '') and (Digits[Length(Digits)] = '0') do
    Delete(Digits, Length(Digits), 1);
  if Digits = '' then
  begin
    Negative := False;
    Exponent := 0;
  end;
end;

// Keys compare as the stored bytes (character keys) or, numeric keys, as dBASE index files
// order them: by sign, then exponent, then digits, negative numbers reversed. Zero thus comes
// after positive numbers below 0.1, which is where TDbf puts it. 0 when equal.
function CompareKeys(const A, B: RawByteString; Numeric: Boolean): Integer;
var
  NegA, NegB: Boolean;
  ExpA, ExpB: Integer;
  DigA, DigB: string;
begin
  if not Numeric then
    Exit(CompareStr(A, B)); // byte by byte
  Decompose(A, NegA, ExpA, DigA);
  Decompose(B, NegB, ExpB, DigB);
  if NegA <> NegB then
    Exit(Ord(NegB) - Ord(NegA));
  if ExpA <> ExpB then
    Result := Ord(ExpA > ExpB) - Ord(ExpA < ExpB)
  else
    Result := CompareStr(DigA, DigB);
  if Result <> 0 then
    Result := Result div Abs(Result);
  if NegA then
    Result := -Result;
end;

procedure Fail(const Msg: string);
begin
  raise EMismatch.Create(Msg);
end;

// TDbf keys the number it is given through floating point (99.99 as 99.98999999999999), so
// an exact key is found as the first one at or above a value a little below it. Zero is exact.
function SeekNumber(Dbf: TDbf; Value: Extended): Boolean;
begin
  if Value = 0 then
    Exit(Dbf.SearchKey(0, stEqual));
  Result := Dbf.SearchKey(Value - Abs(Value) * 1E-10, stGreaterEqual);
end;

procedure CheckTag(Dbf: TDbf; Raw: TRawTable; const Tag, FieldName: string);
var
  Field, Rec, Prev, N: Integer;
  Numeric: Boolean;
  Seen: array of Boolean;
  Found: Boolean;
  PrevKey, CurKey: RawByteString;
begin
  PrevKey := '';
  Field := Raw.FieldIndex(FieldName);
  Numeric := Raw.Types[Field] in ['N', 'F'];
  Dbf.IndexName := Tag;
  if not SameText(Dbf.IndexName, Tag) then
    Fail(Format('tag %s not selected', [Tag]));
  SetLength(Seen, Raw.Count + 1);
  N := 0;
  Prev := 0;
  Dbf.First;
  while not Dbf.EOF do
  begin
    Rec := Dbf.PhysicalRecNo;
    if (Rec < 1) or (Rec > Raw.Count) then
      Fail(Format('tag %s: record number %d outside the table', [Tag, Rec]));
    if Seen[Rec] then
      Fail(Format('tag %s: record %d twice', [Tag, Rec]));
    Seen[Rec] := True;
    CurKey := Raw.Value(Rec, Field);
    if Verbose then
      WriteLn('  ', Rec, ' [', CurKey, ']');
    if Prev > 0 then
      case CompareKeys(PrevKey, CurKey, Numeric) of
        1: Fail(Format('tag %s: record %d [%s] before record %d [%s]', [Tag, Prev, PrevKey, Rec, CurKey]));
        0: if (Prev > Rec) and not AnyDuplicateOrder then
            Fail(Format('tag %s: equal keys, record %d before record %d', [Tag, Prev, Rec]));
      end;
    Prev := Rec;
    PrevKey := CurKey;
    Inc(N);
    Dbf.Next;
  end;
  if N <> Raw.Count then
    Fail(Format('tag %s: %d entries for %d records', [Tag, N, Raw.Count]));
  // Seeking every key goes down through the branch blocks, which a walk alone need not.
  for Rec := 1 to Raw.Count do
  begin
    CurKey := Raw.Value(Rec, Field);
    if Numeric then
      Found := SeekNumber(Dbf, NumberOf(CurKey))
    else
      Found := Dbf.SearchKeyPChar(PAnsiChar(CurKey), stEqual, False); // the stored bytes as they are
    if not Found then
      Fail(Format('tag %s: key of record %d [%s] not found', [Tag, Rec, CurKey]));
    if CompareKeys(Raw.Value(Dbf.PhysicalRecNo, Field), CurKey, Numeric) <> 0 then
      Fail(Format('tag %s: seeking [%s] found record %d', [Tag, CurKey, Dbf.PhysicalRecNo]));
  end;
  WriteLn('tag ', Tag, ' (', FieldName, '): ', N, ' entries in order');
end;

function RunCheck(const Path: string; Tags: TStrings): Integer;
var
  Dbf: TDbf;
  Raw: TRawTable;
  Names: TStringList;
  I: Integer;
begin
  Raw := TRawTable.Load(Path);
  Dbf := OpenTable(Path, False);
  Names := TStringList.Create;
  try
    Dbf.GetIndexNames(Names);
    if (Names.Count <> Tags.Count) and not SomeTags then
      Fail(Format('index has %d tags (%s), expected %d', [Names.Count, Names.CommaText, Tags.Count]));
    for I := 0 to Tags.Count - 1 do
      CheckTag(Dbf, Raw, Tags.Names[I], Tags.ValueFromIndex[I]);
    Result := 0;
  finally
    Names.Free;
    Dbf.Free;
    Raw.Free;
  end;
end;

function NextRandom(Limit: LongWord): LongWord;
begin
  Seed := Seed * 1103515245 + 12345;
  Result := (Seed shr 8) mod Limit;
end;

// Czech-looking words in code page 1250 (written as bytes), with both cases and accents.
function RandomText(Width: Integer): RawByteString;
const
  Syllables: array[0..15] of RawByteString = ('ko', #$D8'E', #$9E'i', #$9D'ou', #$E8'k', #$E1, #$DA, 'p'#$EC,
    'l ', #$F2, 'Ch', #$FD, #$9A#$9D, 'ov', #$CF, 'a, ');
var
  S: RawByteString;
begin
  S := '';
  while Length(S) < 3 + Integer(NextRandom(12)) do
    S := S + Syllables[NextRandom(Length(Syllables))];
  Result := Copy(S, 1, Width);
end;

// A number that fits a field of this width, sometimes zero or negative. Numbers with decimals
// stay below 8, like grade averages: TDbf keys numbers through floating point, and only there
// do its 16 significant digits give back the decimal digits exactly.
function RandomNumber(Width, Decimals: Integer): Double;
var
  Room, I: Integer;
  Negative: Boolean;
  Limit: LongWord;
begin
  Room := Width - Ord(Decimals > 0) - Decimals; // characters before the decimal point
  Negative := (Room >= 2) and (NextRandom(4) = 0);
  Limit := 1;
  for I := 1 to Min(Room - Ord(Negative), 9) do
    Limit := Limit * 10;
  if Decimals > 0 then
    Limit := Min(Limit, 8);
  if NextRandom(6) = 0 then
    Exit(0);
  Result := NextRandom(Limit);
  for I := 1 to Decimals do
    Result := Result + NextRandom(10) * IntPower(10, -I);
  if Negative then
    Result := -Result;
end;

procedure FillRecord(Dbf: TDbf; Raw: TRawTable; KeysOnly: Boolean);
var
  I: Integer;
  F: TField;
begin
  for I := 0 to High(Raw.Names) do
  begin
    F := Dbf.FieldByName(Raw.Names[I]);
    if KeysOnly and (NextRandom(2) = 0) then
      Continue;
    case Raw.Types[I] of
      'C': F.AsString := RandomText(Raw.Widths[I]);
      'N', 'F':
        if NextRandom(9) = 0 then
          F.Clear
        else
          F.AsFloat := RandomNumber(Raw.Widths[I], Raw.Decimals[I]);
    end;
  end;
end;

procedure Modify(Dbf: TDbf; const Path: string; Count: Integer);
var
  Raw: TRawTable;
  I: Integer;
begin
  Raw := TRawTable.Load(Path);
  try
    for I := 1 to Count do
    begin
      Dbf.Append;
      FillRecord(Dbf, Raw, False);
      Dbf.Post;
    end;
    Dbf.IndexName := '';
    Dbf.First;
    I := 0;
    while not Dbf.EOF do
    begin
      Inc(I);
      if I mod 3 = 0 then
      begin
        Dbf.Edit;
        FillRecord(Dbf, Raw, True);
        Dbf.Post;
      end;
      if I mod 7 = 0 then
        Dbf.Delete; // the record stays in the file and in the index
      Dbf.Next;
    end;
  finally
    Raw.Free;
  end;
end;

procedure AddLayout(Dbf: TDbf; const Layout: string);
const
  Grades = 'ABCDEFGHIJKLMNOPQRSTUVWXYZ';
var
  I: Integer;
begin
  if Layout = 'kadmor' then
  begin
    Dbf.FieldDefs.Add('LEK', ftString, 3);
    Dbf.FieldDefs.Add('ANGL', ftString, 40);
    Dbf.FieldDefs.Add('CES', ftString, 40);
    Dbf.FieldDefs.Add('OBR', ftString, 20);
    Dbf.FieldDefs.Add('ZVUK', ftString, 30);
  end
  else if Layout = 'fraze' then
  begin
    Dbf.FieldDefs.Add('LEK', ftString, 3);
    Dbf.FieldDefs.Add('ANGL', ftString, 50);
    Dbf.FieldDefs.Add('CES', ftString, 50);
    Dbf.FieldDefs.Add('ZVUK', ftString, 8);
  end
  else if Layout = 'znamky' then
  begin
    Dbf.FieldDefs.Add('POR', ftString, 3);
    Dbf.FieldDefs.Add('JMENO', ftString, 25);
    for I := 1 to Length(Grades) do
      Dbf.FieldDefs.Add(Grades[I], ftSmallint, 1);
    Dbf.FieldDefs.Add('CPZ', ftSmallint, 2);
    with Dbf.FieldDefs.AddFieldDef do
    begin
      Name := 'PRUM';
      DataType := ftFloat;
      Size := 8;
      Precision := 3;
    end;
  end
  else
    raise Exception.CreateFmt('unknown layout %s', [Layout]);
end;

procedure AddTags(Dbf: TDbf; const Layout: string);
begin
  if Layout = 'kadmor' then
  begin
    Dbf.AddIndex('LEK', 'LEK', []);
    Dbf.AddIndex('ANGL', 'ANGL', []);
    Dbf.AddIndex('CES', 'CES', []);
  end
  else if Layout = 'fraze' then
  begin
    Dbf.AddIndex('LEK', 'LEK', []);
    Dbf.AddIndex('ZVUK', 'ZVUK', []);
  end
  else
  begin
    Dbf.AddIndex('JMENO', 'JMENO', []);
    Dbf.AddIndex('PRUM', 'PRUM', []);
  end;
end;

function RunWrite(const Path, Layout: string; Count: Integer): Integer;
var
  Dbf: TDbf;
begin
  Dbf := TDbf.Create(nil);
  try
    Dbf.OnLanguageWarning := @Events.LanguageWarning;
    Dbf.OnLocaleError := @Events.LocaleError;
    Dbf.FilePathFull := ExtractFilePath(ExpandFileName(Path));
    Dbf.TableName := ExtractFileName(Path);
    Dbf.TableLevel := 4;
    Dbf.LanguageID := $C8; // Windows 1250
    AddLayout(Dbf, Layout);
    Dbf.CreateTable;
    Dbf.Exclusive := True;
    Dbf.Open;
    AddTags(Dbf, Layout);
    Dbf.Close;
  finally
    Dbf.Free;
  end;
  Dbf := OpenTable(Path, True);
  try
    Modify(Dbf, Path, Count);
  finally
    Dbf.Free;
  end;
  Result := 0;
end;

function RunModify(const Path: string; Count: Integer): Integer;
var
  Dbf: TDbf;
begin
  Dbf := OpenTable(Path, True);
  try
    Modify(Dbf, Path, Count);
  finally
    Dbf.Free;
  end;
  Result := 0;
end;

function Run: Integer;
var
  Tags: TStringList;
  I: Integer;
begin
  if ParamStr(1) = 'check' then
  begin
    Tags := TStringList.Create;
    try
      for I := 3 to ParamCount do
        if ParamStr(I) = '-v' then
          Verbose := True
        else if ParamStr(I) = '-some' then
          SomeTags := True
        else if ParamStr(I) = '-anydup' then
          AnyDuplicateOrder := True
        else
          Tags.Add(ParamStr(I));
      Result := RunCheck(ParamStr(2), Tags);
    finally
      Tags.Free;
    end;
  end
  else if (ParamStr(1) = 'write') and (ParamCount = 5) then
  begin
    Seed := StrToInt(ParamStr(5));
    Result := RunWrite(ParamStr(2), ParamStr(3), StrToInt(ParamStr(4)));
  end
  else if (ParamStr(1) = 'modify') and (ParamCount = 4) then
  begin
    Seed := StrToInt(ParamStr(4));
    Result := RunModify(ParamStr(2), StrToInt(ParamStr(3)));
  end
  else
  begin
    WriteLn(StdErr, 'usage: tdbfcheck check TABLE.dbf [-v] [-some] [-anydup] TAG=FIELD ... | write TABLE.dbf LAYOUT COUNT SEED | modify TABLE.dbf COUNT SEED');
    Result := 2;
  end;
end;

begin
  Events := TEvents.Create;
  try
    ExitCode := Run;
  except
    on E: EMismatch do
    begin
      WriteLn('MISMATCH: ', E.Message);
      ExitCode := 1;
    end;
    on E: Exception do
    begin
      WriteLn('ERROR: ', E.ClassName, ': ', E.Message);
      DumpExceptionBackTrace(Output);
      ExitCode := 2;
    end;
  end;
  Events.Free;
end.
